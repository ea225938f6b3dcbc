#pragma once
// The system's volumes as drives: every mounted file system a user keeps files on, ordered by
// folder path. Pseudo file systems (proc, sysfs, cgroup, devpts, ...), the system's own mounts
// under /proc, /sys, /dev and /run (removable media under /run/media stay) and mounts of single
// files are left out; "/" is always there. On Windows: every drive letter ("C:\").
#include <QByteArray>

#include "shell/volume_source.h"

namespace brixel {

class MountedVolumes : public VolumeSource {
 public:
  std::vector<Volume> Volumes() const override;
  bool IsReady(const Volume& volume) const override;
};

// Whether a mount of this file system type at this folder is one a user keeps files on.
bool IsUserVolume(const QByteArray& file_system_type, const QString& root);

}  // namespace brixel
