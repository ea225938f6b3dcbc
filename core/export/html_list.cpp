#include "core/export/html_list.h"

#include "core/details/field_text.h"
#include "core/platform/file_system.h"
#include "core/text/cp1251.h"

namespace brixel {

namespace {

std::string Cp1251(std::string_view utf8) {
  std::string out;
  AppendCp1251(utf8, out, Cp1251Mode::Text);
  return out;
}

}  // namespace

std::string HtmlHeadBlock() {
  return Cp1251(
      "<html><head><title>Список</title><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=windows-1251\"></head><body  bgcolor=\"#FFF3C3\" > <div align=\"center\">");
}

std::string HtmlTitleParagraph(const ListLayout& layout) {
  return Cp1251("<p><font color=\"#FF0000\"><strong>Список сформирован с помощью программы " +
                layout.program + ".</strong></p>");
}

std::string HtmlClosingBlock() {
  return "</font></div></body></html>";
}

HtmlListWriter::HtmlListWriter(const std::string& path, const ListLayout& layout,
                               const platform::FileSystem& fs, const WorkControl& control,
                               const Columns& columns)
    : file_(path, fs, control), table_(!IsNamesOnly(columns)) {
  file_.Output().Write(HtmlHeadBlock());
  file_.Output().Write(HtmlTitleParagraph(layout));
  if (!table_) return;
  line_ = "</font><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\r\n<tr>";
  for (const Column column : columns) line_ += "<th>" + std::string(ColumnName(column)) + "</th>";
  line_ += "</tr>\r\n";
  file_.Output().Write(line_);
}

void HtmlListWriter::AddRow(Row row) {
  line_.clear();
  if (!table_) {
    if (const auto* name = std::get_if<std::string_view>(&row[0].value))
      AppendCp1251(*name, line_, Cp1251Mode::Html);
    line_ += "\r\n<br>";
    file_.Output().Write(line_);
    return;
  }
  line_ += "<tr>";
  for (const Field& field : row) {
    // Numbers right-aligned, as a table of figures reads.
    const bool text = std::holds_alternative<std::string_view>(field.value);
    line_ += text ? "<td>" : "<td align=\"right\">";
    field_.clear();
    AppendFieldText(field.value, field_);
    AppendCp1251(field_, line_, Cp1251Mode::Html);
    line_ += "</td>";
  }
  line_ += "</tr>\r\n";
  file_.Output().Write(line_);
}

bool HtmlListWriter::Finish() {
  if (file_.Control().Stopped()) return false;
  if (table_) file_.Output().Write("</table><font>");
  file_.Output().Write(HtmlClosingBlock());
  return file_.Commit();
}

}  // namespace brixel
