#include <string>

#include "core/platform/file_system.h"

namespace brixel::platform {

namespace {

class TargetCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "brixel.target"; }
  std::string message(int) const override { return "the file changed while the list was being written"; }
};

}  // namespace

std::error_code TargetChangedError() {
  static const TargetCategory category;
  return {1, category};
}

}  // namespace brixel::platform
