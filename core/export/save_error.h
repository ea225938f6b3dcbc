#pragma once
// The one failure of a save. Writers throw it; the save action catches it once. The message
// names the file and the cause, for the command line; the windows show their one fixed text.
#include <stdexcept>
#include <string>

namespace brixel {

class SaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace brixel
