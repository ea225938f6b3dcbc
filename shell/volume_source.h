#pragma once
// Where the drive list gets its drives. The real source asks the system for its mounted volumes;
// tests put in one whose drives they can make fail.
#include <QString>
#include <string>
#include <vector>

namespace brixel {

struct Volume {
  std::string root;  // UTF-8 folder path, "/" or "/media/stick"
  QString label;     // the volume's name, when it has one
};

class VolumeSource {
 public:
  virtual ~VolumeSource() = default;
  virtual std::vector<Volume> Volumes() const = 0;
  // A drive that is not ready (a removed stick, an empty card reader) cannot be opened.
  virtual bool IsReady(const Volume& volume) const = 0;
};

}  // namespace brixel
