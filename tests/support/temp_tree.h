#pragma once
// A temporary folder tree for tests, removed when the object goes away.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace brixel::test {

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::string Path(std::string_view relative = {}) const;  // UTF-8

  // Creates the file (and its folders) holding bytes.
  void File(std::string_view relative, std::string_view bytes = {}) const;
  void Files(const std::vector<std::string>& relatives) const;
  void Folder(std::string_view relative) const;

 private:
  std::filesystem::path root_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// Something that is no regular file, put where a program expects one: a folder, a FIFO (a
// blocking read of it waits for ever) or a link to /dev/zero (a file that never ends).
enum class NotAFile { Folder, Fifo, EndlessDevice };
// False where the system cannot make it (FIFOs and devices on Windows).
bool MakeNotAFile(const std::string& path, NotAFile kind);

// True when the tests run as root, who reads folders whatever their permissions say.
bool RunningAsRoot();

}  // namespace brixel::test
