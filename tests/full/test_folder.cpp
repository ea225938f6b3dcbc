#include "tests/full/test_folder.h"

#include <QDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/platform/file_path.h"

namespace brixel::test {

TestFolder::TestFolder() {
  dir_.setAutoRemove(true);
}

std::string TestFolder::Path(const std::string& relative) const {
  std::string path = dir_.path().toStdString();
  if (!relative.empty()) path += "/" + relative;
  return path;
}

void TestFolder::File(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path path = PathFromUtf8(Path(relative));
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void TestFolder::Folder(const std::string& relative) const {
  std::filesystem::create_directories(PathFromUtf8(Path(relative)));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString ScreenshotFolder() {
  // Set by CTest to the build folder's screenshots/; a test run by hand leaves the sources clean.
  QString folder = qEnvironmentVariable("BRIXEL_SCREENSHOT_DIR");
  if (folder.isEmpty()) folder = QDir::tempPath() + QStringLiteral("/brixel-screenshots");
  QDir().mkpath(folder);
  return folder;
}

}  // namespace brixel::test
