#include <QApplication>

#include "core/program_info.h"
#include "full/shell/brixel_look.h"
#include "full/shell/mounted_volumes.h"
#include "full/shell/qt_dialogs.h"
#include "lite/lite_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  brixel::ApplyBrixelLook(app);
  brixel::QtDialogs dialogs;
  const brixel::MountedVolumes volumes;
  brixel::LiteWindow window(
      {dialogs, volumes, brixel::DesktopOpener(), brixel::ProgramFolder(), brixel::CurrentFolder()});
  window.show();
  return app.exec();
}
