#include "shell/drive_list.h"

#include <QSignalBlocker>

#include "core/platform/folder_path.h"

namespace brixel {

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  setObjectName(QStringLiteral("Drive1"));
  setAccessibleName(QStringLiteral("Диск"));
}

void DriveList::SetVolumes(std::vector<Volume> volumes) {
  const QSignalBlocker quiet(this);
  volumes_ = std::move(volumes);
  clear();
  for (const Volume& volume : volumes_) {
    QString text = QString::fromStdString(volume.root);
    if (!volume.label.isEmpty()) text += QStringLiteral("  [%1]").arg(volume.label);
    addItem(text);
  }
}

int DriveList::IndexHolding(const std::string& folder) const {
  int best = -1;
  std::size_t best_length = 0;
  for (std::size_t i = 0; i < volumes_.size(); ++i) {
    const std::string& root = volumes_[i].root;
    if (FolderIsUnder(folder, root) && (best < 0 || root.size() > best_length)) {
      best = static_cast<int>(i);
      best_length = root.size();
    }
  }
  return best;
}

void DriveList::showPopup() {
  emit aboutToOpen();
  QComboBox::showPopup();
}

void DriveList::SelectQuietly(int index) {
  const QSignalBlocker quiet(this);
  setCurrentIndex(index);
}

}  // namespace brixel
