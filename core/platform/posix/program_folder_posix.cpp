#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "core/platform/file_path.h"
#include "core/platform/program_folder.h"

namespace brixel {

std::string ProgramFolder() {
  std::string buffer(PATH_MAX, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0) return CurrentFolder();
  buffer.resize(static_cast<std::size_t>(n));
  return PathToUtf8(PathFromUtf8(buffer).parent_path());
}

}  // namespace brixel
