#include "shell/window_services.h"

#include "shell/mounted_volumes.h"
#include "shell/qt_dialogs.h"

namespace brixel {

WindowServices WithSystemServices(WindowServices services) {
  static const MountedVolumes system_volumes;
  static QtDialogs qt_dialogs;
  if (services.volumes == nullptr) services.volumes = &system_volumes;
  if (services.dialogs == nullptr) services.dialogs = &qt_dialogs;
  if (!services.open_url) services.open_url = DesktopOpener();
  return services;
}

}  // namespace brixel
