#include "core/platform/folder.h"

namespace brixel::platform {

const FolderSource& NativeFolders() {
  static const struct : FolderSource {
    std::unique_ptr<OpenFolder> Open(const std::string& path, std::error_code& ec) const override {
      return OpenFolder::Open(path, ec);
    }
  } native;
  return native;
}

}  // namespace brixel::platform
