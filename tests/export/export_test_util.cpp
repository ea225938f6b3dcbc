#include "tests/export/export_test_util.h"

#ifdef __linux__
#include <sys/mount.h>
#endif

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

#ifdef __linux__
TmpfsMount::TmpfsMount(const std::filesystem::path& at, const char* options) : at_(at.string()) {
  std::filesystem::create_directories(at);
  mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, options) == 0;
}

TmpfsMount::~TmpfsMount() {
  if (mounted_) ::umount(at_.c_str());
}
#endif

}  // namespace brixel::test
