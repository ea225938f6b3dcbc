#include "bench/tree_generator.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "bench/name_mix.h"

namespace brixel::bench {

bool FindPreset(const std::string& name, TreePreset& preset) {
  if (name == "small")
    preset = {10'000, 100};
  else if (name == "medium")
    preset = {100'000, 1'000};
  else if (name == "large")
    preset = {1'000'000, 10'000};
  else
    return false;
  return true;
}

bool GenerateTree(const std::string& root, const TreePreset& preset, std::string& error) {
  if (::mkdir(root.c_str(), 0755) != 0) {
    error = root + ": " + std::strerror(errno);
    return false;
  }
  NameMix mix(7);
  // Folder i > 0 lives in folder parent(i): a tree about four levels deep.
  std::vector<std::string> paths{root};
  paths.reserve(preset.folders);
  for (std::size_t i = 1; i < preset.folders; ++i) {
    const std::size_t parent = (i - 1) / 10;
    std::string path = paths[parent] + "/" + (i % 4 == 0 ? "Альбом " : "dir_") + std::to_string(i);
    if (::mkdir(path.c_str(), 0755) != 0) {
      error = path + ": " + std::strerror(errno);
      return false;
    }
    paths.push_back(std::move(path));
  }
  for (std::size_t f = 0; f < preset.files; ++f) {
    const std::string& folder = paths[f % paths.size()];
    const std::string path = folder + "/" + mix.Next(f);
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0) {
      error = path + ": " + std::strerror(errno);
      return false;
    }
    ::close(fd);
  }
  for (std::size_t i = 0; i < paths.size(); i += 50) {
    (void)::symlink("../link-target.mp3", (paths[i] + "/link.mp3").c_str());
    (void)::symlink("..", (paths[i] + "/up-link").c_str());
  }
  return true;
}

}  // namespace brixel::bench
