#pragma once
// What a window needs from outside, the same for both editions; tests put in their own. What is
// left out (null) is the system's own: its mounted volumes, Qt's dialogs, the desktop's handler
// of help pages, the platform's folders.
#include <functional>
#include <optional>
#include <string>

#include "shell/open_help.h"
#include "shell/program_files.h"

namespace brixel {

class DialogFacade;
class VolumeSource;

namespace platform {
class FileSystem;
class FolderSource;
}  // namespace platform

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
  const platform::FileSystem* file_system = nullptr;  // where saves write; null: the platform's own
  // Ends the program when the window is closed while a save cannot stop at once (a workbook being
  // assembled). The system's own removes the save's named temporary file, lets it rename nothing,
  // and ends the process there and then; a test records the call instead.
  std::function<void()> end_with_running_save = {};
};

// The services with every gap filled by the system's own (the folders stay null: the scans' own
// default).
WindowServices WithSystemServices(WindowServices services);

}  // namespace brixel
