#pragma once
// Where the programs keep their files: the mask file, the help pages and the lite edition's
// default list. A program unpacked into a folder of its own keeps them all there. An installed
// program (under a prefix with share/brixel/ beside its bin/, or beside the marker the Windows
// setup program leaves) or one whose folder cannot be written keeps what it writes in the user's
// own folders instead: /usr/bin and Program Files are neither the place for a user's mask file nor
// writable, and ~/.local/bin or a per-user install is no place for lists.
#include <functional>
#include <string>

namespace brixel {

struct ProgramFiles {
  std::string mask_folder;      // holds rasshirenia.txt, read at start and created when missing
  std::string help_folder;      // holds the help pages
  std::string output_folder;    // the lite edition's default list goes here
  std::string settings_folder;  // the windows' settings files; empty: none are kept
};

// The file the Windows setup program puts beside the programs it installs (and its uninstaller
// removes): a per-user install lands in a folder its user may write, which alone would not tell.
inline constexpr char kSetupMarkerName[] = "brixel-installed.txt";

// Everything in the program's own folder, the help pages in its help/.
ProgramFiles FilesBeside(const std::string& program_folder);

// The user's folders the programs fall back on.
struct UserFolders {
  std::string config;     // the programs' configuration folder (~/.config/brixel, %APPDATA%\Brixel)
  std::string documents;  // the documents folder; it may not exist
  std::string home;
  // Where an earlier Windows build kept the mask file (AppData\Local\brixel); empty elsewhere.
  std::string earlier_config{};
};

// Whether a file can be made in the folder.
using FolderTest = std::function<bool(const std::string& folder)>;

// The decision. Help pages: help/ beside the program, else ../share/brixel/help, else help/ beside
// it (missing: help opens nothing). A folder of its own that can_write accepts (asked only for a
// program that is not installed) keeps everything beside the program. Otherwise the mask file
// beside the program is read when it is there, else the one in user.config (or in
// user.earlier_config while only that one holds a mask file); the settings files live in
// user.config; the default list goes to the documents folder, or to the home folder when there is
// no documents folder.
ProgramFiles ChooseProgramFiles(const std::string& program_folder, const UserFolders& user,
                                const FolderTest& can_write);

// The user's folders as the desktop reports them. On Windows the configuration folder is
// %APPDATA%\Brixel: the APPDATA variable, or the roaming application data folder when it is unset.
UserFolders DesktopUserFolders();

// Whether a file can be made in the folder: one is made and removed again. Permission bits do
// not tell (root, read-only mounts, access lists), trying does.
bool FolderAcceptsFiles(const std::string& folder);

// The decision for the running program with the desktop's folders; the configuration folder is
// created when the mask file or the settings are to live there. Nothing here fails: a folder that
// cannot be made leaves the mask list at its built-in lines and the windows remembering nothing,
// and a list saved there fails with the save's message.
ProgramFiles LocateProgramFiles(const std::string& program_folder);

}  // namespace brixel
