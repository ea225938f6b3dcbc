#include <filesystem>
#include <system_error>

#include "core/platform/file_path.h"
#include "core/platform/program_folder.h"

namespace brixel {

std::string CurrentFolder() {
  std::error_code ec;
  const auto p = std::filesystem::current_path(ec);
  return ec ? std::string(".") : PathToUtf8(p);
}

}  // namespace brixel
