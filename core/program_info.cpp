#include "core/program_info.h"

#include <filesystem>
#include <system_error>

#include "core/platform/file_path.h"

namespace brixel {

std::string ProgramVersion::Text() const {
  return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::string CurrentFolder() {
  std::error_code ec;
  const auto p = std::filesystem::current_path(ec);
  return ec ? std::string(".") : PathToUtf8(p);
}

}  // namespace brixel
