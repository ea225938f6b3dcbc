#pragma once
// A text list is appended only to a file that is one. Lines appended to a workbook, a page or any
// binary file would spoil it for the application it belongs to, so such a file is refused before
// a byte is written: one that begins as a ZIP archive (.xlsx, .docx, .odt) or an OLE compound file
// (.xls, .doc), an HTML page, or any file with a NUL byte in its first 4 KiB.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/export/save_error.h"
#include "core/platform/file_system.h"

namespace brixel {

enum class ForeignContent { Zip, Ole, Html, Binary };

// How much of a file the judgement reads.
inline constexpr std::size_t kTextListSniffBytes = 4096;

// What the first bytes of a file show it to be when it is no text list; nothing when it may be one.
std::optional<ForeignContent> ForeignContentOf(std::string_view first_bytes);

// The reason, in the command line's words: "it is a ZIP archive (an .xlsx workbook?), not a text list".
std::string ForeignContentText(ForeignContent content);

class NotATextList : public SaveError {
 public:
  NotATextList(std::string_view path, ForeignContent found)
      : SaveError(SaveMessage(path, ForeignContentText(found) + "; the list was not appended to it")),
        content(found) {}
  ForeignContent content;
};

// Throws NotATextList when the target found holds something else. A file that cannot be read is
// not judged.
void RefuseForeignContent(const std::string& path, const platform::TargetFile& target);

// For the windows, before they offer a text save: what the file at path is when it is no text
// list; nothing for a text list, a missing file or one that cannot be looked at.
std::optional<ForeignContent> CheckTextListTarget(
    const std::string& path, const platform::FileSystem& fs = platform::NativeFileSystem());

}  // namespace brixel
