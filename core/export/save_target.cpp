#include "core/export/save_target.h"

#include "core/export/save_error.h"

namespace brixel {

platform::FileFacts CheckSaveTarget(const std::string& path, SaveMode mode, const platform::FileSystem& fs) {
  if (path.empty()) throw SaveError("no file name given");
  std::error_code ec;
  platform::FileFacts facts = fs.Inspect(path, ec);
  if (ec) throw SaveFailure(path, ec.message());
  if (!facts.exists) return facts;
  if (facts.folder) throw SaveFailure(path, "is a folder");
  if (mode == SaveMode::Replace && !facts.regular) throw SaveFailure(path, "is not a regular file");
  if (facts.regular && facts.marked_read_only) throw SaveFailure(path, "the file is read-only");
  if (facts.regular && facts.write_error) throw SaveFailure(path, facts.write_error.message());
  return facts;
}

}  // namespace brixel
