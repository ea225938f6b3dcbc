#pragma once
// What a window remembers from one run of its edition to the next: the folder, the mask line, the
// subfolder switch, the formatting options, the save type and where the save goes, the details
// chosen beside the names, and where the window stood. They live in an INI file of the edition's own (see
// SettingsFile), read at start and written when the window closes.
//
// Nothing here fails. A missing, damaged or unreadable file, or a value that makes no sense,
// gives the start the program would make without it, value by value. A file written by a newer
// version, or one that cannot be read, is left as it is: nothing is read from it and nothing is
// written over it.
#include <QPoint>
#include <QString>
#include <optional>
#include <string>

#include "core/format/format_options.h"

class QComboBox;
class QWidget;

namespace brixel {

class FolderList;
class PictureSwitch;
struct ProgramFiles;
struct SwitchLooks;

struct WindowSettings {
  std::string folder;        // the folder shown; empty: none
  QString mask_line;         // the mask line chosen; empty: none
  bool subfolders = false;   // the subfolder switch
  FormatOptions options;     // the switches, the digit count and the start number
  int save_type = -1;        // the edition's own number for the save type; -1: none
  std::string save_path;     // where the save goes (a folder or a file, as the edition uses it)
  std::string columns;       // the details beside the names, as "folder,size"; empty: names only
  std::string tag_encoding;  // how legacy tags read: "auto", "latin1", "cp1251"; empty: auto
  std::optional<QPoint> position;
};

struct RememberedSettings {
  WindowSettings settings;
  bool may_write = true;  // false: a newer version's file, or one that cannot be read
};

// The settings file of an edition: beside the program for a copy that keeps its files there,
// otherwise in the user's configuration folder; empty when there is none.
std::string SettingsFile(const ProgramFiles& files, const QString& edition);

// The settings remembered in path (an empty path: none).
RememberedSettings LoadWindowSettings(const std::string& path);

// Writes settings to path, replacing what was there. Does nothing for an empty path; a file
// that cannot be written is left, silently.
void StoreWindowSettings(const std::string& path, const WindowSettings& settings);

// What both windows remember alike: the folder shown, the mask line, the subfolder switch and
// the window's place.
void RememberListingChoice(WindowSettings& settings, const FolderList& folders, const QComboBox& masks,
                           const PictureSwitch& subfolders, const QWidget& window);
// Puts back the mask line (one the list no longer holds is left), the subfolder switch and the
// window's place (where a screen shows its title row). True when the mask line changed: the
// caller lists again.
bool RestoreListingChoice(const WindowSettings& settings, QComboBox& masks, PictureSwitch& subfolders,
                          const SwitchLooks& looks, QWidget& window);

}  // namespace brixel
