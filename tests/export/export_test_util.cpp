#include "tests/export/export_test_util.h"

#include <algorithm>

#include "core/platform/file_path.h"

namespace brixel::test {

void SaveList(ListFormat format, const std::string& path, const std::vector<std::string>& names,
              const ListLayout& layout, const ListWriterOptions& options) {
  const auto writer = OpenListWriter(format, path, layout, options);
  for (const auto& name : names) writer->Add(name);
  writer->Finish();
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(PathToUtf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace brixel::test
