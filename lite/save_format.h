#pragma once
// The save panel's text rules: the format entries, what choosing one does to the output
// box, what the save dialog's answer becomes, and the default output file. Texts are UTF-8 and
// counted in characters, so a Cyrillic path loses no half letters.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/export/list_writer.h"

namespace brixel {

inline constexpr std::array<std::string_view, 5> kSaveFormatEntries{"*.xls", "*.txt", "*.htm", "*.csv",
                                                                    "*.json"};
inline constexpr int kStartSaveFormatIndex = 1;  // "*.txt"
inline constexpr std::string_view kDefaultOutputName = "brixel-kzd";

// An entry without its "*": ".xls", ".txt", ".htm", ".csv" (its last four characters), ".json".
std::string_view SaveFormatExtension(std::string_view entry);

// The writer an entry stands for; nothing for any other text, which saves nothing.
std::optional<ListFormat> ListFormatForEntry(std::string_view entry);

// The output box after a format choice: its last four characters, whatever they are, give way to
// the extension; a box ending in ".json" gives up those five, so switching between the formats
// never leaves a stray dot or letter. An empty box stays empty. A box of one to three characters
// keeps them and gets the extension appended, so nothing the user typed is lost.
std::string OutputTextAfterFormatChoice(std::string_view text, std::string_view entry);

// The output box after the save dialog: the chosen name and the extension, appended even when
// the name already ends in it ("list.txt" gives "list.txt.txt").
std::string OutputTextFromDialog(std::string_view chosen, std::string_view entry);

// The folder (the program's, or where an installed program puts lists), the separator,
// "brixel-kzd" and the extension; a folder that already ends in a separator (a root) gets no
// second one.
std::string DefaultOutputFile(std::string_view folder, std::string_view entry);

}  // namespace brixel
