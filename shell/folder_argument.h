#pragma once
// Folders the user hands the windows from outside: named on the command line ("Open with" in a
// file manager passes one) or dropped from a file manager. A file stands for its folder.
#include <QStringList>
#include <optional>
#include <string>

class QMimeData;
class QWidget;

namespace brixel {

class DialogFacade;

// The folder a path names: a folder as it is, a file's folder, a relative path taken from the
// current folder; empty when nothing of that name is there.
std::string FolderNamed(const std::string& path);

// The path given on the command line (the program's own arguments, Qt's options taken out), if
// any: the first that is no option.
std::optional<std::string> CommandLinePath(const QStringList& arguments);

// The folder a drop brings: its first local file or folder's; empty when it brings none.
std::string DroppedFolder(const QMimeData& data);

// The folder a window starts in: the one the command line names, else the one remembered while
// it is still there, else the current folder.
struct StartFolder {
  std::string folder;
  bool named_missing = false;  // the command line named a path where nothing is
};
StartFolder ChooseStartFolder(const std::optional<std::string>& named, const std::string& remembered,
                              const std::string& current);

// Tells the user, once the window shows, that the folder named on the command line is not there.
void ReportMissingFolder(QWidget& window, DialogFacade& dialogs, const std::string& named);

}  // namespace brixel
