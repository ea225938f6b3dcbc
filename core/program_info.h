#pragma once
// What a program knows about itself: its version and the folder of its executable.
#include <string>

namespace brixel {

struct ProgramVersion {
  int major;
  int minor;
  int revision;
  std::string Text() const;  // "2.0.1"
};

inline constexpr ProgramVersion kFullVersion{2, 0, 1};
inline constexpr ProgramVersion kLiteVersion{1, 0, 0};

// The folder of the running executable, without a trailing separator except at a root. Falls back
// to the current folder when the platform cannot tell.
std::string ProgramFolder();

// The process's current folder.
std::string CurrentFolder();

}  // namespace brixel
