#include "shell/busy_pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace brixel {

BusyPointer::BusyPointer() {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}
BusyPointer::~BusyPointer() {
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace brixel
