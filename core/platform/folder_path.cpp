#include "core/platform/folder_path.h"

namespace brixel {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// Length of the root at the start of a path: "/" on POSIX; "C:\" or "\" on Windows. 0 for none.
std::size_t RootLength(std::string_view path) {
#ifdef _WIN32
  if (path.size() >= 3 && path[1] == ':' && IsFolderSeparator(path[2])) return 3;
  if (path.size() == 2 && path[1] == ':') return 2;
#endif
  return !path.empty() && IsFolderSeparator(path[0]) ? 1 : 0;
}

}  // namespace

bool IsFolderSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

std::string TidyFolderPath(std::string path) {
  const std::size_t root = RootLength(path);
  while (path.size() > root && IsFolderSeparator(path.back())) path.pop_back();
  return path;
}

std::string JoinFolder(const std::string& folder, std::string_view name) {
  std::string joined = folder;
  AppendFolderName(joined, name);
  return joined;
}

void AppendFolderName(std::string& folder, std::string_view name) {
  if (folder.empty() || !IsFolderSeparator(folder.back())) folder += kSeparator;
  folder += name;
}

bool FolderIsUnder(std::string_view folder, std::string_view root) {
  if (folder.substr(0, root.size()) != root) return false;
  return folder.size() == root.size() || (!root.empty() && IsFolderSeparator(root.back())) ||
         IsFolderSeparator(folder[root.size()]);
}

std::vector<std::string> FolderChain(const std::string& top, const std::string& path) {
  std::vector<std::string> chain{top};
  std::size_t at = top.size();
  while (at < path.size()) {
    while (at < path.size() && IsFolderSeparator(path[at])) ++at;
    std::size_t end = at;
    while (end < path.size() && !IsFolderSeparator(path[end])) ++end;
    if (end > at) chain.push_back(JoinFolder(chain.back(), std::string_view(path).substr(at, end - at)));
    at = end;
  }
  return chain;
}

}  // namespace brixel
