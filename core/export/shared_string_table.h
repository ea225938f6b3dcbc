#pragma once
// The workbook's shared string table, streamed: SST then CONTINUE records as strings arrive,
// the counts patched in at the end, then EXTSST. Splitting follows what readers rely on: a
// string's 3-byte header never splits; characters split only between whole characters (never
// inside a surrogate pair); each CONTINUE that carries the rest of a string starts with its
// encoding byte again.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/file_output.h"

namespace brixel {

class SharedStringTable {
 public:
  // Starts the SST record at the output's position; stream_base is where the stream begins.
  SharedStringTable(FileOutput& out, std::uint64_t stream_base);
  // Appends the next string, 1..32767 UTF-16 code units.
  void Add(std::u16string_view text);
  // Completes the table, counting total_cells cells that use it, and writes EXTSST.
  void Finish(std::uint32_t total_cells);

  std::uint32_t Size() const { return unique_; }

 private:
  struct StringStart {
    std::uint32_t stream_offset;  // of the string's header
    std::uint16_t record_offset;  // from the start of its record, the record header included
  };
  // Writes the record being filled; what follows goes into a CONTINUE.
  void WriteRecord();
  void WriteExtSst();

  FileOutput& out_;
  std::uint64_t stream_base_;
  std::string record_;  // data of the record being filled
  bool in_first_record_ = true;
  std::uint64_t counts_offset_;  // file offset of the SST's two counts
  std::uint32_t unique_ = 0;
  std::vector<StringStart> every_eighth_;  // where strings 0, 8, 16, ... start
};

}  // namespace brixel
