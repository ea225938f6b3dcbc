#pragma once
// Runs brixel-list with parsed options and returns its exit status.
#include <iosfwd>

#include "cli/cli_options.h"

namespace brixel::cli {

// The exit statuses scripts rely on.
enum class ExitStatus : int {
  Done = 0,    // also when nothing was found (nothing is listed then)
  Failed = 1,  // a folder that cannot be read, an output that cannot be written, an empty list with -o
  Usage = 2,   // bad options
};

// folders: where the scan reads; tests stand in for the file system (default the platform's).
ExitStatus RunList(const CliOptions& options, std::ostream& out, std::ostream& err,
                   const platform::FolderSource* folders = nullptr);

// Parses and runs; what main() does.
ExitStatus RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brixel::cli
