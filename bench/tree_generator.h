#pragma once
// A deterministic folder tree for benchmarks: the same preset gives the same names in the same
// folders every time.
#include <cstddef>
#include <string>

namespace brixel::bench {

struct TreePreset {
  std::size_t files;
  std::size_t folders;
};

// "small" (10k files, 100 folders), "medium" (100k, 1,000), "large" (1,000,000, 10,000).
bool FindPreset(const std::string& name, TreePreset& preset);

// Creates the tree under root (which must not exist yet). Folders nest a few levels deep; about
// one folder in fifty holds a symbolic link to a file and one to a folder. Returns false with a
// message on failure.
bool GenerateTree(const std::string& root, const TreePreset& preset, std::string& error);

}  // namespace brixel::bench
