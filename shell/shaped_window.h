#pragma once
// The frameless window of both Brixel editions: painted with the body picture, cut to its outline
// (ShapeWindow), with the round minimise and close buttons at its top right, and moved by
// dragging its background with any mouse button. A press on a control never drags. The keyboard
// reaches the round buttons as any other control, and Alt+F4 closes the window; the control with
// the focus carries a clear mark (FocusMark). A folder or a file dropped on the window from a file
// manager is offered to it as a folder (folderDropped), when it takes one.
#include <QPoint>
#include <QWidget>
#include <string>

#include "shell/picture.h"

class QLabel;

namespace brixel {

class FocusMark;
class RoundButton;
struct Edition;

class ShapedWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ShapedWindow(QWidget* parent = nullptr);

  RoundButton& PicMini() const { return *pic_mini_; }
  RoundButton& PicClose() const { return *pic_close_; }
  FocusMark& FocusMarker() const { return *focus_mark_; }
  // Minimise and close, in the order the keyboard reaches them, after every other control.
  QList<QWidget*> TitleButtons() const;

  bool IsDragging() const { return drag_; }

 signals:
  // A folder dropped on the window (a file: its folder), while TakesDroppedFolder.
  void folderDropped(const std::string& folder);

 protected:
  // Names the window as its edition's (frmBrixel, and the desktop's title "Brixel V2.0") and makes
  // its title label, Label9, with the title before the version ("Бриксел В."), in the title font.
  QLabel* MakeEditionTitle(const Edition& edition);

  // Whether a folder dropped now would be taken; a window busy with a job refuses it.
  virtual bool TakesDroppedFolder() const { return true; }
  // Start-up's first step: the window's outline, then the two round buttons'.
  void ShapeWindowAndButtons();

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  Picture::Ptr body_;
  RoundButton* pic_mini_;
  RoundButton* pic_close_;
  FocusMark* focus_mark_;
  bool drag_ = false;
  QPoint grab_;  // where the window was grabbed, in its own coordinates
};

}  // namespace brixel
