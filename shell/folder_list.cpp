#include "shell/folder_list.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

#include "core/listing/name_order.h"
#include "core/listing/subfolder_choice.h"

namespace brixel {

namespace {

constexpr int kIndent = 9;
constexpr int kRowHeight = 17;

// Rows indented by their depth, each with a small drawn folder, open or closed.
class FolderItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const int depth = index.data(FolderListModel::DepthRole).toInt();
    const bool open = index.data(FolderListModel::OpenRole).toBool();
    const int icon_left = item.rect.left() + 3 + depth * kIndent;

    painter->save();
    if (item.state & QStyle::State_Selected)
      painter->fillRect(item.rect, item.palette.brush(QPalette::Highlight));
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF icon(icon_left, item.rect.center().y() - 5.5, 15, 11);
    DrawFolder(*painter, icon, open);
    painter->setPen(
        item.palette.color(item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect text_rect = item.rect.adjusted(icon_left + 19 - item.rect.left(), 0, -2, 0);
    painter->drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter,
                      item.fontMetrics.elidedText(item.text, Qt::ElideRight, text_rect.width()));
    if (item.state & QStyle::State_HasFocus) {
      const bool selected = item.state & QStyle::State_Selected;
      painter->setPen(
          QPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1, Qt::DotLine));
      painter->setBrush(Qt::NoBrush);
      painter->drawRect(QRectF(item.rect).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kRowHeight};
  }

 private:
  static void DrawFolder(QPainter& painter, const QRectF& box, bool open) {
    QPainterPath back;
    back.moveTo(box.left(), box.top() + 1.5);
    back.lineTo(box.left() + 5, box.top() + 1.5);
    back.lineTo(box.left() + 6.5, box.top() + 3);
    back.lineTo(box.right() - 1, box.top() + 3);
    back.lineTo(box.right() - 1, box.bottom());
    back.lineTo(box.left(), box.bottom());
    back.closeSubpath();
    painter.setPen(QPen(QColor(0xA0, 0x6A, 0x10), 1));
    painter.setBrush(QColor(0xF2, 0xC1, 0x4E));
    painter.drawPath(back);
    QPainterPath front;
    if (open) {
      front.moveTo(box.left() + 2.5, box.top() + 5.5);
      front.lineTo(box.right(), box.top() + 5.5);
      front.lineTo(box.right() - 2.5, box.bottom());
      front.lineTo(box.left(), box.bottom());
    } else {
      front.addRect(QRectF(box.left(), box.top() + 4.5, box.width() - 1, box.height() - 4.5));
    }
    front.closeSubpath();
    painter.setBrush(open ? QColor(0xFF, 0xE0, 0x8A) : QColor(0xF7, 0xD0, 0x66));
    painter.drawPath(front);
  }
};

}  // namespace

FolderList::FolderList(QWidget* parent) : QListView(parent), model_(this) {
  setObjectName(QStringLiteral("Dir1"));
  setAccessibleName(QStringLiteral("Папки"));
  setModel(&model_);
  setItemDelegate(new FolderItemDelegate(this));
  setUniformItemSizes(true);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QAbstractItemView::activated, this,
          [this](const QModelIndex& index) { OpenRow(index.row()); });
}

bool FolderList::SetPath(const std::string& top, const std::string& path) {
  const std::string before = model_.Path();
  if (!model_.SetPath(top, path)) return false;
  const QModelIndex current = model_.index(model_.CurrentRow(), 0);
  setCurrentIndex(current);
  scrollTo(current, PositionAtCenter);
  reading_.Ask<std::optional<std::vector<std::string>>>(
      [path = model_.Path(), &folders = folders_ != nullptr ? *folders_ : platform::NativeFolders()](
          std::stop_token stop) { return SubfoldersToOffer(path, UserCollator(), stop, folders); },
      [this](std::optional<std::vector<std::string>> names) { ShowSubfolders(names); });
  if (model_.Path() != before) emit pathChanged();
  return true;
}

void FolderList::ShowSubfolders(const std::optional<std::vector<std::string>>& names) {
  // A folder that went away since it opened shows no subfolders.
  if (names) model_.ShowSubfolders(*names);
  if (currentIndex().row() == model_.CurrentRow()) scrollTo(currentIndex(), PositionAtCenter);
  emit subfoldersShown();
}

void FolderList::OpenRow(int row) {
  const std::string path = model_.PathAt(row);
  if (!path.empty()) SetPath(model_.Top(), path);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace && model_.CurrentRow() > 0) {
    OpenRow(model_.CurrentRow() - 1);
    return;
  }
  QListView::keyPressEvent(event);
}

}  // namespace brixel
