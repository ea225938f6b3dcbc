#pragma once
// Shared by the export tests: writing a list through the ListWriter interface and looking at
// what a save left in a folder.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/export/list_writer.h"
#include "tests/support/workbook_check.h"

namespace brixel::test {

void SaveList(ListFormat format, const std::string& path, const std::vector<std::string>& names,
              const ListLayout& layout = test::FullLayout(), const ListWriterOptions& options = {});

// Names of the entries of a folder, sorted: shows a temporary file left behind.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

#ifdef __linux__
// A tmpfs of its own, mounted at `at` (created) with the mount options given, where mounting is
// allowed (root on Linux): a small one is a disk that fills up.
class TmpfsMount {
 public:
  TmpfsMount(const std::filesystem::path& at, const char* options);
  ~TmpfsMount();
  TmpfsMount(const TmpfsMount&) = delete;
  TmpfsMount& operator=(const TmpfsMount&) = delete;
  bool Mounted() const { return mounted_; }

 private:
  std::string at_;
  bool mounted_ = false;
};
#endif

// One list format with the file name a save of it goes to, for tests run once per format.
struct FormatCase {
  const char* label;
  ListFormat format;
  const char* file;
};

inline void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << c.label;
}

}  // namespace brixel::test
