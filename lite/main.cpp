// BrixelLite, the lite edition: the one-page window over the listing, formatting and export core.
#include <QApplication>

#include "core/platform/program_folder.h"
#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/mounted_volumes.h"
#include "shell/picture.h"
#include "shell/qt_dialogs.h"
#include "shell/russian_qt_texts.h"
#include "lite/lite_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("BrixelLite"));
  brixel::ApplyBrixelLook(app);
  brixel::InstallRussianQtTexts(app);
  QApplication::setWindowIcon(brixel::PictureIcon(QLatin1String(brixel::artwork::kAppIcon)));

  brixel::QtDialogs dialogs;
  const brixel::MountedVolumes volumes;
  brixel::LiteWindow window(
      {dialogs, volumes, brixel::DesktopOpener(), brixel::ProgramFolder(), brixel::CurrentFolder()});
  window.show();
  return QApplication::exec();
}
