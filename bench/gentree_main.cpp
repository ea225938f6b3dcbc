// brixel-gentree PRESET FOLDER: makes the benchmark tree of a preset (small, medium, large).
#include <iostream>
#include <string>

#include "bench/tree_generator.h"

int main(int argc, char** argv) {
  brixel::bench::TreePreset preset{};
  if (argc != 3 || !brixel::bench::FindPreset(argv[1], preset)) {
    std::cerr << "usage: brixel-gentree small|medium|large FOLDER\n";
    return 2;
  }
  std::string error;
  if (!brixel::bench::GenerateTree(argv[2], preset, error)) {
    std::cerr << "brixel-gentree: " << error << "\n";
    return 1;
  }
  return 0;
}
