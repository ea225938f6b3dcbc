#include "shell/mounted_volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

namespace brixel {

namespace {

bool IsUnder(const QString& root, QLatin1String folder) {
  return root == folder || root.startsWith(folder + QLatin1Char('/'));
}

}  // namespace

bool IsUserVolume(const QByteArray& file_system_type, const QString& root) {
  static const QByteArray kPseudo[] = {
      "proc",        "sysfs",      "cgroup", "cgroup2",  "devpts",    "devtmpfs", "mqueue",        "debugfs",
      "tracefs",     "securityfs", "pstore", "bpf",      "configfs",  "fusectl",  "hugetlbfs",     "autofs",
      "binfmt_misc", "rpc_pipefs", "nsfs",   "efivarfs", "selinuxfs", "rootfs",   "overlay-lower", "ramfs"};
  if (std::find(std::begin(kPseudo), std::end(kPseudo), file_system_type) != std::end(kPseudo)) return false;
  // Many systems mount sticks and cards under /run/media/<user>; the rest of /run is the system's.
  if (root.startsWith(QLatin1String("/run/media/"))) return true;
  for (QLatin1String system_folder :
       {QLatin1String("/proc"), QLatin1String("/sys"), QLatin1String("/dev"), QLatin1String("/run"),
        QLatin1String("/var/run"), QLatin1String("/var/lock"), QLatin1String("/snap")}) {
    if (IsUnder(root, system_folder)) return false;
  }
  // A tmpfs elsewhere (/tmp, /mnt/ram) is a place users do keep files.
  return true;
}

std::vector<Volume> MountedVolumes::Volumes() const {
  std::vector<Volume> volumes;
#ifdef Q_OS_WIN
  // Every drive letter, ready or not ("C:\"): a drive that is not ready (a card reader without a
  // card) is listed and undone when chosen.
  for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
    if (!storage.isValid()) continue;
    volumes.push_back({QDir::toNativeSeparators(storage.rootPath()).toStdString(), storage.name()});
  }
#else
  for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
    const QString root = storage.rootPath();
    if (!storage.isValid() || !IsUserVolume(storage.fileSystemType(), root)) continue;
    if (!QFileInfo(root).isDir()) continue;  // a single file mounted over another
    const std::string utf8 = root.toStdString();
    if (std::any_of(volumes.begin(), volumes.end(), [&](const Volume& v) { return v.root == utf8; }))
      continue;
    volumes.push_back({utf8, storage.name()});
  }
  if (std::none_of(volumes.begin(), volumes.end(), [](const Volume& v) { return v.root == "/"; }))
    volumes.push_back({"/", {}});
#endif
  std::sort(volumes.begin(), volumes.end(), [](const Volume& a, const Volume& b) { return a.root < b.root; });
  return volumes;
}

bool MountedVolumes::IsReady(const Volume& volume) const {
  const QString root = QString::fromStdString(volume.root);
  return QStorageInfo(root).isReady() && QFileInfo(root).isReadable();
}

}  // namespace brixel
