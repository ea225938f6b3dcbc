#include "core/export/save_target.h"

#include <filesystem>
#include <system_error>

#include "core/export/save_error.h"
#include "core/platform/file_path.h"

namespace brixel {

void CheckSaveTarget(const std::string& path, SaveMode mode) {
  namespace fs = std::filesystem;
  if (path.empty()) throw SaveError("no file name given");
  std::error_code ec;
  const fs::file_status st = fs::status(PathFromUtf8(path), ec);
  if (st.type() == fs::file_type::not_found) return;
  if (ec) return;  // the open that follows names the cause
  if (st.type() == fs::file_type::directory) throw SaveFailure(path, "is a folder");
  if (mode == SaveMode::Replace && st.type() != fs::file_type::regular)
    throw SaveFailure(path, "is not a regular file");
  const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if (st.type() == fs::file_type::regular && (st.permissions() & writable) == fs::perms::none)
    throw SaveFailure(path, "the file is read-only");
}

}  // namespace brixel
