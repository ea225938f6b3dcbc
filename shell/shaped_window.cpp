#include "shell/shaped_window.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QWindow>

#include "core/edition.h"
#include "shell/accessible_controls.h"
#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/focus_mark.h"
#include "shell/folder_argument.h"
#include "shell/round_button.h"
#include "shell/twips.h"
#include "shell/window_region.h"

namespace brixel {

namespace {

// Client area 9015 x 8910 twips; the outline leaves everything right of 560 and below 579 out.
constexpr int kClientWidth = 9015;
constexpr int kClientHeight = 8910;

// Where the window system moves windows itself and refuses to place them (Wayland).
bool NeedsSystemMove() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

ShapedWindow::ShapedWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), body_(Picture::Load(artwork::kBody)) {
  setFixedSize(TwipsSize(kClientWidth, kClientHeight));
  setPalette(WindowPalette());
  setAttribute(Qt::WA_OpaquePaintEvent);
  InstallAccessibleControls();

  pic_mini_ = new RoundButton(Picture::Load(artwork::kRoundMinimize), QStringLiteral("Свернуть"), this);
  pic_mini_->setObjectName(QStringLiteral("PicMini"));
  pic_mini_->move(TwipsPoint(7190, 155));
  pic_close_ = new RoundButton(Picture::Load(artwork::kRoundClose), QStringLiteral("Закрыть"), this);
  pic_close_->setObjectName(QStringLiteral("PicClose"));
  pic_close_->move(TwipsPoint(7690, 145));

  connect(pic_mini_, &RoundButton::clicked, this, &QWidget::showMinimized);
  // Closing ends the program at once: nothing is asked.
  connect(pic_close_, &RoundButton::clicked, this, &QWidget::close);
  // Without a system frame nothing else closes the window from the keyboard everywhere.
  auto* close_keys = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
  connect(close_keys, &QShortcut::activated, this, &QWidget::close);

  focus_mark_ = new FocusMark(*this);
  setAcceptDrops(true);
}

QList<QWidget*> ShapedWindow::TitleButtons() const {
  return {pic_mini_, pic_close_};
}

QLabel* ShapedWindow::MakeEditionTitle(const Edition& edition) {
  setObjectName(QStringLiteral("frmBrixel"));
  setWindowTitle(QString::fromStdString(edition.WindowTitle()));
  auto* title = new QLabel(QString::fromUtf8(edition.title_label), this);
  title->setObjectName(QStringLiteral("Label9"));
  title->setFont(TitleFont());
  return title;
}

void ShapedWindow::ShapeWindowAndButtons() {
  ShapeWindow(*this);
  ShapeRoundButton(*pic_mini_);
  ShapeRoundButton(*pic_close_);
}

void ShapedWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // Outside the outline nothing shows; fill it so an unshaped window still looks tidy.
  painter.fillRect(rect(), palette().color(QPalette::Window));
  body_->Paint(painter, QRectF(QPointF(0, 0), QSizeF(body_->NaturalSize())));
}

void ShapedWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  const QPoint at = event->position().toPoint();
  if (childAt(at) != nullptr) return;  // reached us through a control that passed it on
  if (NeedsSystemMove() && windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  drag_ = true;
  grab_ = at;
}

void ShapedWindow::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (!drag_) return;
  // The point grabbed stays under the mouse.
  move(event->globalPosition().toPoint() - grab_);
}

void ShapedWindow::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  drag_ = false;
}

void ShapedWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (TakesDroppedFolder() && !DroppedFolder(*event->mimeData()).empty()) event->acceptProposedAction();
}

void ShapedWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (TakesDroppedFolder())
    event->acceptProposedAction();
  else
    event->ignore();
}

void ShapedWindow::dropEvent(QDropEvent* event) {
  const std::string folder = DroppedFolder(*event->mimeData());
  if (folder.empty() || !TakesDroppedFolder()) return event->ignore();
  event->acceptProposedAction();
  emit folderDropped(folder);
}

}  // namespace brixel
