#include "core/export/html_list.h"

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
                               const platform::FileSystem& fs, const WorkControl& control)
    : file_(path, fs, control) {
  file_.Output().Write(HtmlHeadBlock());
  file_.Output().Write(HtmlTitleParagraph(layout));
}

void HtmlListWriter::Add(std::string_view name) {
  line_.clear();
  AppendCp1251(name, line_, Cp1251Mode::Html);
  line_ += "\r\n<br>";
  file_.Output().Write(line_);
}

bool HtmlListWriter::Finish() {
  if (file_.Control().Stopped()) return false;
  file_.Output().Write(HtmlClosingBlock());
  return file_.Commit();
}

}  // namespace brixel
