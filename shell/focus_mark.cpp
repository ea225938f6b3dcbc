#include "shell/focus_mark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace brixel {

namespace {

constexpr int kMargin = 4;  // pixels outside the control
const QColor kOuterColor{0x1A, 0x1A, 0x1A};
const QColor kInnerColor{0xFF, 0xFF, 0xFF};

}  // namespace

FocusMark::FocusMark(QWidget& window) : QFocusFrame(&window), window_(window) {
  setObjectName(QStringLiteral("FocusMark"));
  setAcceptDrops(false);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
}

void FocusMark::Follow(QWidget* focus) {
  for (const QPointer<QWidget>& w : std::as_const(watched_))
    if (w) w->removeEventFilter(this);
  watched_.clear();
  target_ = focus != nullptr && focus != &window_ && focus->window() == &window_ ? focus : nullptr;
  for (QWidget* w = target_; w != nullptr && w != &window_; w = w->parentWidget()) {
    w->installEventFilter(this);
    watched_ << w;
  }
  Place();
}

void FocusMark::Place() {
  QWidget* target = target_.data();
  if (target == nullptr || !target->isVisibleTo(&window_)) {
    hide();
    return;
  }
  const QRect control(target->mapTo(&window_, QPoint(0, 0)), target->size());
  setGeometry(control.adjusted(-kMargin, -kMargin, kMargin, kMargin));
  raise();
  show();
  update();
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
      if (watched->isWidgetType()) Place();
      break;
    default:
      break;
  }
  return false;
}

void FocusMark::paintEvent(QPaintEvent*) {
  if (!target_) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  // Around the control, in the margin and its outer pixel: the dark ring outside, the light one
  // in. A control cut to a shape (a round title button) gets its rings inside the shape, since
  // the window's outline cuts off what lies beside it.
  const QRegion shape = target_->mask();
  const QRectF box =
      shape.isEmpty() ? QRectF(rect()) : QRectF(shape.boundingRect().translated(kMargin, kMargin));
  const QRectF outer = box.adjusted(1.5, 1.5, -1.5, -1.5);
  const QRectF inner = outer.adjusted(2.25, 2.25, -2.25, -2.25);
  const auto ring = [&](const QRectF& at, const QColor& color, qreal width) {
    painter.setPen(QPen(color, width));
    if (shape.isEmpty())
      painter.drawRoundedRect(at, 4, 4);
    else
      painter.drawEllipse(at);
  };
  ring(outer, kOuterColor, 3);
  ring(inner, kInnerColor, 1.5);
}

}  // namespace brixel
