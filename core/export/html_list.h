#pragma once
// The HTML list: a fixed pale-yellow page whose red title paragraph names the program and its
// version, then one line per name (name, CR LF, "<br>"), in Windows-1251. Names are escaped so a
// file name never becomes markup, and characters the code page lacks are written as character
// references (named for the Latin-1 letters and signs, numeric for the rest). With columns, the
// files stand in a table below the title instead: a header row of the column names (<th>), then
// one row per file, each field escaped as names are. The page replaces an existing file only once
// it is complete.
#include <string>
#include <string_view>

#include "core/export/replacement_file.h"
#include "core/export/row_writer.h"

namespace brixel {

class HtmlListWriter final : public RowWriter {
 public:
  // No columns, or `name` alone: the names-only page. Throws SaveError.
  HtmlListWriter(const std::string& path, const ListLayout& layout, const platform::FileSystem& fs,
                 const WorkControl& control = {}, const Columns& columns = {});
  void AddRow(Row row) override;
  bool Finish() override;

 private:
  ReplacementFile file_;
  bool table_;
  std::string line_, field_;
};

// The page's fixed pieces, in Windows-1251.
std::string HtmlHeadBlock();
std::string HtmlTitleParagraph(const ListLayout& layout);
std::string HtmlClosingBlock();

}  // namespace brixel
