#pragma once
// What a window needs from outside, the same for both editions; tests put in their own. What is
// left out (null) is the system's own: its mounted volumes, Qt's dialogs, the desktop's handler
// of help pages, the platform's folders.
#include <optional>
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
  std::string start_folder = {};  // the folder shown at start when none is named or remembered
  const VolumeSource* volumes = nullptr;
  DialogFacade* dialogs = nullptr;
  UrlOpener open_url = {};
  const platform::FolderSource* folders = nullptr;  // where scans read
  // The folder (or a file's) named on the command line.
  std::optional<std::string> named_folder = std::nullopt;
  // Where the window's settings are remembered between runs; empty: nothing is.
  std::string settings_file = {};
};

// The services with every gap filled by the system's own (the folders stay null: the scans' own
// default).
WindowServices WithSystemServices(WindowServices services);

}  // namespace brixel
