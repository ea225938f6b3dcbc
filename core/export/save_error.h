#pragma once
// The one failure of a save. Writers throw it; the save action catches it once. The message
// names the file and the cause, for the command line; the windows show their one fixed text.
#include <stdexcept>
#include <string>
#include <string_view>

namespace brixel {

class SaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "path: cause".
inline std::string SaveMessage(std::string_view path, std::string_view cause) {
  std::string message(path);
  message += ": ";
  message += cause;
  return message;
}

inline SaveError SaveFailure(std::string_view path, std::string_view cause) {
  return SaveError(SaveMessage(path, cause));
}

// A save that was stopped before it wrote anything, while it waited for another program to let
// go of the file. Nothing was touched; callers that stop saves treat it as their stop.
class SaveStopped : public SaveError {
 public:
  explicit SaveStopped(std::string_view path) : SaveError(SaveMessage(path, "stopped")) {}
};

}  // namespace brixel
