#include "core/export/shared_string_table.h"

#include <algorithm>

#include "core/export/biff_record.h"

namespace brixel {

using biff::kMaxRecordData;
using biff::PutU16;
using biff::PutU32;
using biff::PutU8;

namespace {

constexpr std::size_t kStringHeader = 3;  // cch (2) and flags (1)
constexpr std::uint32_t kSampleStep = 8;  // the smallest EXTSST bucket

bool IsHighSurrogate(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}

bool NeedsTwoBytes(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), [](char16_t u) { return u > 0xFF; });
}

}  // namespace

SharedStringTable::SharedStringTable(FileOutput& out, std::uint64_t stream_base)
    : out_(out), stream_base_(stream_base), counts_offset_(out.Position() + 4) {
  record_.reserve(kMaxRecordData);
  PutU32(record_, 0);  // cstTotal and cstUnique, filled in by Finish
  PutU32(record_, 0);
}

void SharedStringTable::Add(std::u16string_view text) {
  const bool wide = NeedsTwoBytes(text);
  const std::size_t unit = wide ? 2 : 1;
  const std::size_t first_char =
      text.empty() ? 0 : (wide && IsHighSurrogate(text[0]) && text.size() > 1 ? 4 : unit);
  if (kMaxRecordData - record_.size() < kStringHeader + first_char) WriteRecord();

  if (unique_ % kSampleStep == 0) {
    every_eighth_.push_back({static_cast<std::uint32_t>(out_.Position() - stream_base_ + 4 + record_.size()),
                             static_cast<std::uint16_t>(4 + record_.size())});
  }
  PutU16(record_, static_cast<std::uint16_t>(text.size()));
  PutU8(record_, wide ? 1 : 0);

  std::size_t pos = 0;
  for (;;) {
    std::size_t n = std::min(text.size() - pos, (kMaxRecordData - record_.size()) / unit);
    if (wide && n > 0 && pos + n < text.size() && IsHighSurrogate(text[pos + n - 1])) --n;
    for (std::size_t i = pos; i < pos + n; ++i) {
      if (wide)
        PutU16(record_, text[i]);
      else
        PutU8(record_, static_cast<std::uint8_t>(text[i]));
    }
    pos += n;
    if (pos == text.size()) break;
    WriteRecord();
    PutU8(record_, wide ? 1 : 0);  // the rest of the string repeats its encoding byte
  }
  ++unique_;
}

void SharedStringTable::WriteRecord() {
  std::string header;
  biff::PutRecordHeader(header, in_first_record_ ? biff::record::kSst : biff::record::kContinue,
                        record_.size());
  out_.Write(header);
  out_.Write(record_);
  record_.clear();
  in_first_record_ = false;
}

void SharedStringTable::Finish(std::uint32_t total_cells) {
  std::string counts;
  PutU32(counts, total_cells);
  PutU32(counts, unique_);
  if (in_first_record_)
    record_.replace(0, counts.size(), counts);
  else
    out_.PatchAt(counts_offset_, counts);
  WriteRecord();
  WriteExtSst();
}

void SharedStringTable::WriteExtSst() {
  // Buckets of at least 8 strings, no more than 128 of them while the 16-bit bucket size allows
  // (past 8 million strings there are more, still one record); a multiple of 8 so that every
  // bucket starts at a sampled string.
  std::uint32_t per_bucket = std::max<std::uint32_t>(unique_ / 128 + 1, kSampleStep);
  per_bucket = std::min<std::uint32_t>((per_bucket + kSampleStep - 1) / kSampleStep * kSampleStep, 0xFFF8);
  std::string data;
  PutU16(data, static_cast<std::uint16_t>(per_bucket));
  for (std::uint32_t first = 0; first < unique_; first += per_bucket) {
    const StringStart& s = every_eighth_[first / kSampleStep];
    PutU32(data, s.stream_offset);
    PutU16(data, s.record_offset);
    PutU16(data, 0);
  }
  std::string record;
  biff::PutRecord(record, biff::record::kExtSst, data);
  out_.Write(record);
}

}  // namespace brixel
