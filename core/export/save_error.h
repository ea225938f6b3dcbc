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
inline SaveError SaveFailure(std::string_view path, std::string_view cause) {
  std::string message(path);
  message += ": ";
  message += cause;
  return SaveError(message);
}

}  // namespace brixel
