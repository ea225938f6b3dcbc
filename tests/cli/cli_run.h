#pragma once
// Runs brixel-list in the test process and keeps what it printed.
#include <sstream>
#include <string>
#include <vector>

#include "cli/list_command.h"

namespace brixel::cli {

struct CliRun {
  int status;
  std::string out, err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = static_cast<int>(RunCli(args, out, err));
  return {status, out.str(), err.str()};
}

}  // namespace brixel::cli
