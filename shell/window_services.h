#pragma once
// What a window needs from outside, the same for both editions; tests put in their own. What is
// left out (null) is the system's own: its mounted volumes, Qt's dialogs, the desktop's handler
// of help pages, the platform's folders.
#include <string>

#include "shell/open_help.h"
#include "shell/program_files.h"

namespace brixel {

class DialogFacade;
class VolumeSource;

namespace platform {
class FolderSource;
}

struct WindowServices {
  ProgramFiles files = {};        // the mask file, the help pages and the lite edition's default list
  std::string start_folder = {};  // the folder shown at start
  const VolumeSource* volumes = nullptr;
  DialogFacade* dialogs = nullptr;
  UrlOpener open_url = {};
  const platform::FolderSource* folders = nullptr;  // where scans read
};

// The services with every gap filled by the system's own (the folders stay null: the scans' own
// default).
WindowServices WithSystemServices(WindowServices services);

}  // namespace brixel
