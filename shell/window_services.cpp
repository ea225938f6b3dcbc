#include "shell/window_services.h"

#include <cstdlib>

#include "core/export/save_temporaries.h"
#include "shell/mounted_volumes.h"
#include "shell/qt_dialogs.h"

namespace brixel {

WindowServices WithSystemServices(WindowServices services) {
  static const MountedVolumes system_volumes;
  static QtDialogs qt_dialogs;
  if (services.volumes == nullptr) services.volumes = &system_volumes;
  if (services.dialogs == nullptr) services.dialogs = &qt_dialogs;
  if (!services.open_url) services.open_url = DesktopOpener();
  if (!services.end_with_running_save)
    services.end_with_running_save = [] {
      // The save's thread is left as it is: its file has no name (gone with the process) or its
      // name is removed here, and it can name or rename nothing from now on.
      EndSaveTemporaries();
      std::_Exit(0);
    };
  return services;
}

}  // namespace brixel
