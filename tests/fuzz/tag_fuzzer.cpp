// libFuzzer target over the glue between TagLib and a list's row: arbitrary bytes as the content
// of a file whose extension the first byte chooses, read with the tag encoding the second chooses,
// then put into a row of every column and written out as text. scripts/fuzz-tags.sh builds and
// runs it (with TagLib and this code instrumented); it is not part of ./test.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/details/detail_row.h"
#include "core/details/field_text.h"
#include "core/details/tag_reader.h"

namespace {

class MemoryFile final : public brixel::platform::ReadableFile {
 public:
  MemoryFile(const std::uint8_t* data, std::size_t size) : data_(data) { facts_.size = size; }
  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::error_code&) override {
    if (offset >= facts_.size || size == 0) return 0;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, facts_.size - offset));
    std::memcpy(buffer, data_ + offset, n);
    return n;
  }
  const brixel::platform::EntryFacts& Facts() const override { return facts_; }

 private:
  const std::uint8_t* data_;
  brixel::platform::EntryFacts facts_;
};

const char* const kNames[] = {"x.mp3", "x.wav", "x.flac", "x.ogg", "x.opus", "x.m4a", "x.wma",
                              "x.oga", "x.ape", "x.mpc",  "x.wv",  "x.aiff", "x.spx", "x.tta"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const char* name = kNames[data[0] % (sizeof kNames / sizeof kNames[0])];
  const auto encoding = static_cast<brixel::TagEncoding>(data[1] % 3);
  MemoryFile file(data + 2, size - 2);
  brixel::FileDetails details;
  brixel::ReadAudioDetails(file, name, encoding, details.audio);
  std::vector<brixel::Field> row;
  const brixel::Columns every(brixel::kAllColumns.begin(), brixel::kAllColumns.end());
  brixel::FillRow(every, name, details, row);
  std::string text;
  for (const brixel::Field& field : row) brixel::AppendFieldText(field.value, text);
  return 0;
}
