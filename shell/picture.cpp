#include "shell/picture.h"

#include <QPainter>
#include <QPixmap>

namespace brixel {

Picture::Ptr Picture::Load(const QString& file) {
  return Ptr(new Picture(file));
}

QIcon PictureIcon(const QString& file) {
  const Picture::Ptr picture = Picture::Load(file);
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    picture->Paint(painter, QRectF(0, 0, size, size));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace brixel
