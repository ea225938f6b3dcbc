#include "tests/support/window_fakes.h"

#include <QDir>

namespace brixel::test {

QString ScreenshotFolder() {
  QString folder = qEnvironmentVariable("BRIXEL_SCREENSHOT_DIR");
  if (folder.isEmpty()) folder = QDir::tempPath() + QStringLiteral("/brixel-screenshots");
  QDir().mkpath(folder);
  return folder;
}

}  // namespace brixel::test
