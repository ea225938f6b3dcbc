#include "tests/support/temp_tree.h"

#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/platform/file_path.h"

namespace brixel::test {

TempTree::TempTree() {
  std::random_device rd;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    root_ = base / ("brixel-test-" + std::to_string(rd()));
    std::error_code ec;
    if (std::filesystem::create_directory(root_, ec)) break;
  }
}

TempTree::~TempTree() {
  std::error_code ec;
  // Give back permissions a test took away, so the whole tree can go.
  for (auto it = std::filesystem::recursive_directory_iterator(
           root_, std::filesystem::directory_options::skip_permission_denied, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
  }
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ec);
  std::filesystem::remove_all(root_, ec);
}

std::string TempTree::Path(std::string_view relative) const {
  // With the platform's separators throughout ("a/b" is "a\b" on Windows), as the program's own
  // paths have them.
  return relative.empty() ? PathToUtf8(root_) : PathToUtf8((root_ / PathFromUtf8(relative)).make_preferred());
}

void TempTree::File(std::string_view relative, std::string_view bytes) const {
  const auto p = root_ / PathFromUtf8(relative);
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TempTree::Files(const std::vector<std::string>& relatives) const {
  for (const auto& r : relatives) File(r);
}

void TempTree::Folder(std::string_view relative) const {
  std::filesystem::create_directories(root_ / PathFromUtf8(relative));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(PathFromUtf8(path), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool MakeNotAFile(const std::string& path, NotAFile kind) {
  if (kind == NotAFile::Folder) {
    std::error_code ec;
    return std::filesystem::create_directories(PathFromUtf8(path), ec);
  }
#ifdef _WIN32
  return false;
#else
  if (kind == NotAFile::Fifo) return ::mkfifo(path.c_str(), 0644) == 0;
  return ::symlink("/dev/zero", path.c_str()) == 0;
#endif
}

bool RunningAsRoot() {
#ifdef _WIN32
  return false;
#else
  return ::geteuid() == 0;
#endif
}

}  // namespace brixel::test
