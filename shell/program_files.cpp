#include "shell/program_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#endif

#include "core/listing/mask_list.h"
#include "core/platform/file_path.h"
#include "core/platform/folder_path.h"

namespace brixel {

namespace {

constexpr char kHelpFolderName[] = "help";
constexpr char kOwnFolderName[] = "brixel";  // share/brixel, ~/.config/brixel
#ifdef _WIN32
constexpr char kWindowsConfigFolderName[] = "Brixel";  // %APPDATA%\Brixel
#endif

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

bool HoldsMaskFile(const std::string& folder) {
  return !folder.empty() && Exists(PathFromUtf8(folder) / PathFromUtf8(kMaskFileName));
}

#ifdef _WIN32
// The roaming application data folder, as Windows programs find it: %APPDATA% when it is set to a
// full path (so a user or a test can move it), else the known folder it stands for.
std::string RoamingAppData() {
  const QString variable = qEnvironmentVariable("APPDATA");
  if (!variable.isEmpty() && QDir::isAbsolutePath(variable))
    return ToUtf8(QDir::toNativeSeparators(variable));
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path)))
    folder = ToUtf8(QString::fromWCharArray(path));
  CoTaskMemFree(path);
  return folder;
}
#endif

}  // namespace

ProgramFiles FilesBeside(const std::string& program_folder) {
  return {program_folder, JoinFolder(program_folder, kHelpFolderName), program_folder, program_folder};
}

ProgramFiles ChooseProgramFiles(const std::string& program_folder, const UserFolders& user,
                                const FolderTest& can_write) {
  ProgramFiles files = FilesBeside(program_folder);
  files.help_folder = HelpFolder(program_folder);
  const bool installed = IsFolder(SharedDataFolder(program_folder)) ||
                         Exists(PathFromUtf8(program_folder) / PathFromUtf8(kSetupMarkerName));
  if (!installed && can_write && can_write(program_folder)) return files;

  if (!HoldsMaskFile(program_folder) && !user.config.empty()) {
    const bool only_earlier = !HoldsMaskFile(user.config) && HoldsMaskFile(user.earlier_config);
    files.mask_folder = only_earlier ? user.earlier_config : user.config;
  }
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
#ifdef _WIN32
  const std::string roaming = RoamingAppData();
  if (!roaming.empty()) user.config = JoinFolder(roaming, kWindowsConfigFolderName);
  // GenericConfigLocation is AppData\Local there, where the first Windows builds kept the file.
  if (!config.isEmpty())
    user.earlier_config = JoinFolder(ToUtf8(QDir::toNativeSeparators(config)), kOwnFolderName);
#else
  if (!config.isEmpty()) user.config = JoinFolder(ToUtf8(QDir::toNativeSeparators(config)), kOwnFolderName);
#endif
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
