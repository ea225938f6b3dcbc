#pragma once
// The mask list: eight built-in lines, then the lines of "rasshirenia.txt" beside the program.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brixel {

inline constexpr const char* kMaskFileName = "rasshirenia.txt";
// More than anyone types into a mask file; the bytes past it are not read.
inline constexpr std::size_t kMaskFileLimit = std::size_t{16} << 20;
// More lines than a drop-down can offer; the lines past it are not read, so a huge file cannot
// stall the windows' start.
inline constexpr std::size_t kMaskFileLineLimit = 10000;

// "*.mp3; *.wav", "*.mp3", "*.wav", "*.txt", "*.jpg", "*.bmp", "*.png", "*.jpg; *.png".
const std::vector<std::string>& BuiltInMaskLines();

struct MaskFileLines {
  std::vector<std::string> lines;
  bool cut = false;  // lines past kMaskFileLineLimit were left out
};

// The lines of a mask file's bytes, at most kMaskFileLineLimit. A line ends at a CR, LF or NUL
// byte in any mix; an empty line adds nothing, and emptiness is tested before trimming, so a line
// of spaces adds one empty line. Lines are trimmed of spaces (tabs are kept); a last line without
// a line end is added too. The bytes of the lines kept are UTF-8 (a leading byte-order mark is
// skipped), or Windows-1251 when they are not valid UTF-8, as files written on older Windows
// systems are. cut, when given, tells whether lines past the limit were left out.
std::vector<std::string> ParseMaskFile(std::string_view bytes, bool* cut = nullptr);

// Reads the mask file in `folder`, creating it empty when it is missing. Only a regular file is
// read, and only its first kMaskFileLimit bytes (a line cut there is dropped) and first
// kMaskFileLineLimit lines. Anything else - a folder, a FIFO, a device, a file that can be
// neither read nor created - gives no lines; nothing is reported and nothing is thrown.
MaskFileLines ReadMaskFile(const std::string& folder);
// Its lines alone.
std::vector<std::string> LoadMaskFile(const std::string& folder);

// Cuts a mask line at every ";" and trims each piece of spaces: k semicolons give k + 1 masks,
// in the order of the line, empty ones included (the scan skips those).
std::vector<std::string> SplitMaskLine(std::string_view line);

// Removes leading and trailing spaces (only the space character, as the mask rules say).
std::string_view TrimSpaces(std::string_view text);

}  // namespace brixel
