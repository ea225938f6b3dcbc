#pragma once
// Where the scan puts each matching name: the preview list, the found-files table, a save
// output, standard output. The scan knows nothing else about it.
#include <string_view>

namespace brixel {

class ListTarget {
 public:
  virtual ~ListTarget() = default;
  // One matching file's bare name (no folder part), exactly as the system reported it.
  virtual void Append(std::string_view name) = 0;
};

}  // namespace brixel
