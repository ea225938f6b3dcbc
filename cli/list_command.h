#pragma once
// Runs brixel-list with parsed options. Returns the exit status: 0 done, 1 failure, 2 usage.
#include <iosfwd>

#include "cli/cli_options.h"

namespace brixel::cli {

int RunList(const CliOptions& options, std::ostream& out, std::ostream& err);

// Parses and runs; what main() does.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brixel::cli
