#include "core/platform/folder.h"

namespace brixel::platform {

const FolderSource& NativeFolders() {
  static const struct : FolderSource {
    std::unique_ptr<OpenFolder> Open(const std::string& path, int& error) const override {
      return OpenFolder::Open(path, error);
    }
  } native;
  return native;
}

}  // namespace brixel::platform
