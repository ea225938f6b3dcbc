#include "shell/program_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "core/listing/mask_list.h"
#include "core/platform/file_path.h"
#include "core/platform/folder_path.h"

namespace brixel {

namespace {

constexpr char kHelpFolderName[] = "help";
constexpr char kOwnFolderName[] = "brixel";  // share/brixel, ~/.config/brixel

bool IsFolder(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

bool Exists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

// prefix/share/brixel for a program in prefix/bin.
std::filesystem::path SharedDataFolder(const std::string& program_folder) {
  return (PathFromUtf8(program_folder) / ".." / "share" / kOwnFolderName).lexically_normal();
}

std::string HelpFolder(const std::string& program_folder) {
  const std::string beside = JoinFolder(program_folder, kHelpFolderName);
  if (IsFolder(PathFromUtf8(beside))) return beside;
  const std::filesystem::path shared = SharedDataFolder(program_folder) / kHelpFolderName;
  if (IsFolder(shared)) return PathToUtf8(shared);
  return beside;
}

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

std::string ToUtf8(const QString& text) {
  return text.toStdString();
}

}  // namespace

ProgramFiles FilesBeside(const std::string& program_folder) {
  return {program_folder, JoinFolder(program_folder, kHelpFolderName), program_folder, program_folder};
}

ProgramFiles ChooseProgramFiles(const std::string& program_folder, const UserFolders& user,
                                const FolderTest& can_write) {
  ProgramFiles files = FilesBeside(program_folder);
  files.help_folder = HelpFolder(program_folder);
  const bool installed = IsFolder(SharedDataFolder(program_folder));
  if (!installed && can_write && can_write(program_folder)) return files;

  const bool mask_beside = Exists(PathFromUtf8(program_folder) / PathFromUtf8(kMaskFileName));
  if (!mask_beside && !user.config.empty()) files.mask_folder = user.config;
  files.settings_folder = user.config;
  if (IsFolder(PathFromUtf8(user.documents)))
    files.output_folder = user.documents;
  else if (!user.home.empty())
    files.output_folder = user.home;
  return files;
}

UserFolders DesktopUserFolders() {
  UserFolders user;
  // One folder for both editions, which share the mask file (AppConfigLocation would give each
  // edition a folder of its own name).
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (!config.isEmpty()) user.config = JoinFolder(ToUtf8(QDir::toNativeSeparators(config)), kOwnFolderName);
  user.documents =
      ToUtf8(QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
  user.home = ToUtf8(QDir::toNativeSeparators(QDir::homePath()));
  return user;
}

bool FolderAcceptsFiles(const std::string& folder) {
  QTemporaryFile probe(FromUtf8(JoinFolder(folder, ".brixel-XXXXXX")));
  return probe.open();  // removed again when the probe goes
}

ProgramFiles LocateProgramFiles(const std::string& program_folder) {
  const UserFolders user = DesktopUserFolders();
  ProgramFiles files = ChooseProgramFiles(program_folder, user, FolderAcceptsFiles);
  for (const std::string& folder : {files.mask_folder, files.settings_folder}) {
    if (folder.empty() || folder == program_folder) continue;
    std::error_code ec;  // a folder that cannot be made: its files are then neither read nor made
    std::filesystem::create_directories(PathFromUtf8(folder), ec);
  }
  return files;
}

}  // namespace brixel
