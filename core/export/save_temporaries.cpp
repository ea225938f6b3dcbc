#include "core/export/save_temporaries.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace brixel {

namespace {

struct Named {
  const platform::TargetFile* folder;
  std::string name;
};

// One lock over naming, renaming and the end, so that once the end has removed the names no save
// is half-way through giving or using one.
struct Registry {
  std::mutex mutex;
  std::vector<Named> named;
  bool ended = false;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

void Drop(Registry& r, const platform::TargetFile& folder, const std::string& name) {
  std::erase_if(r.named, [&](const Named& n) { return n.folder == &folder && n.name == name; });
}

}  // namespace

bool NameSaveTemporary(const platform::TargetFile& folder, const std::string& name,
                       const std::function<void()>& name_it) {
  Registry& r = TheRegistry();
  const std::lock_guard lock(r.mutex);
  if (r.ended) return false;
  r.named.push_back({&folder, name});
  try {
    name_it();
  } catch (...) {
    r.named.pop_back();
    throw;
  }
  return true;
}

bool RenameSaveTemporary(const platform::TargetFile& folder, const std::string& name,
                         const std::function<void()>& rename_it) {
  Registry& r = TheRegistry();
  const std::lock_guard lock(r.mutex);
  if (r.ended) return false;
  rename_it();
  Drop(r, folder, name);
  return true;
}

void ForgetSaveTemporary(const platform::TargetFile& folder, const std::string& name) noexcept {
  Registry& r = TheRegistry();
  const std::lock_guard lock(r.mutex);
  Drop(r, folder, name);
}

void EndSaveTemporaries() noexcept {
  Registry& r = TheRegistry();
  const std::lock_guard lock(r.mutex);
  r.ended = true;
  for (const Named& n : r.named) {
    std::error_code ignored;
    n.folder->Remove(n.name, ignored);
  }
  r.named.clear();
}

}  // namespace brixel
