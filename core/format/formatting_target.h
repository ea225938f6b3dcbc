#pragma once
// A list target that shapes each name with a per-name formatter before handing it on: the names
// are formatted, and numbered, in the order the scan delivers them (scan order, or sorted). The
// command line's lists and the lite save both stand on it.
#include <string_view>

#include "core/format/prim_file.h"
#include "core/listing/list_target.h"

namespace brixel {

class FormattingTarget : public ListTarget {
 public:
  FormattingTarget(PrimFile& prim_file, ListTarget& next)
      : prim_file_(prim_file), next_(next), as_found_(prim_file.LeavesNamesAsFound()) {}

  // A name that no switch changes goes on as it is, uncopied.
  void Append(std::string_view name) override { next_.Append(as_found_ ? name : prim_file_.Shape(name)); }

  // A sorted listing that no switch changes goes on whole, uncopied.
  void AppendAll(NameColumn&& names) override {
    if (as_found_)
      next_.AppendAll(std::move(names));
    else
      ListTarget::AppendAll(std::move(names));
  }

 private:
  PrimFile& prim_file_;
  ListTarget& next_;
  const bool as_found_;
};

}  // namespace brixel
