#include "core/export/text_list_guard.h"

namespace brixel {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsHtmlPage(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  const std::size_t first = bytes.find_first_not_of(" \t\r\n\f");
  if (first == std::string_view::npos) return false;
  bytes.remove_prefix(first);
  return StartsWithNoCase(bytes, "<!doctype html") || StartsWithNoCase(bytes, "<html");
}

}  // namespace

std::optional<ForeignContent> ForeignContentOf(std::string_view first_bytes) {
  const std::string_view bytes = first_bytes.substr(0, kTextListSniffBytes);
  // Local file header, empty archive, spanned archive.
  if (bytes.starts_with("PK\x03\x04") || bytes.starts_with("PK\x05\x06") || bytes.starts_with("PK\x07\x08"))
    return ForeignContent::Zip;
  if (bytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return ForeignContent::Ole;
  if (IsHtmlPage(bytes)) return ForeignContent::Html;
  if (bytes.find('\0') != std::string_view::npos) return ForeignContent::Binary;
  return std::nullopt;
}

std::string ForeignContentText(ForeignContent content) {
  switch (content) {
    case ForeignContent::Zip:
      return "it is a ZIP archive (an .xlsx workbook?), not a text list";
    case ForeignContent::Ole:
      return "it is an OLE compound file (an .xls workbook?), not a text list";
    case ForeignContent::Html:
      return "it is an HTML page, not a text list";
    case ForeignContent::Binary:
      return "it holds NUL bytes, so it is no text list";
  }
  return "it is not a text list";
}

void RefuseForeignContent(const std::string& path, const platform::TargetFile& target) {
  const platform::FileFacts& facts = target.Facts();
  if (!facts.exists || !facts.regular || facts.size == 0) return;
  std::error_code ec;
  const std::string start = target.ReadStart(kTextListSniffBytes, ec);
  if (ec) return;
  if (const auto content = ForeignContentOf(start)) throw NotATextList(path, *content);
}

std::optional<ForeignContent> CheckTextListTarget(const std::string& path, const platform::FileSystem& fs) {
  std::error_code ec;
  const auto target = fs.Resolve(path, ec);
  if (ec || !target) return std::nullopt;
  try {
    RefuseForeignContent(path, *target);
  } catch (const NotATextList& e) {
    return e.content;
  }
  return std::nullopt;
}

}  // namespace brixel
