#include "core/export/stored_rows.h"

namespace brixel {

namespace {

enum Kind : std::uint8_t { kMissing, kText, kBytes, kMoment, kDuration, kNumber };

}  // namespace

void StoredRows::Add(Row row) {
  if (rows_ == 0) fields_ = row.size();
  for (const Field& field : row) {
    Value v{0, 0, kMissing};
    if (const auto* text = std::get_if<std::string_view>(&field.value)) {
      v = {static_cast<std::int64_t>(texts_.Size()), 0, kText};
      texts_.Append(*text);
    } else if (const auto* bytes = std::get_if<ByteCount>(&field.value)) {
      v = {static_cast<std::int64_t>(bytes->bytes), 0, kBytes};
    } else if (const auto* moment = std::get_if<LocalTime>(&field.value)) {
      v = {moment->seconds, moment->utc_offset, kMoment};
    } else if (const auto* duration = std::get_if<Duration>(&field.value)) {
      v = {duration->seconds, 0, kDuration};
    } else if (const auto* number = std::get_if<Number>(&field.value)) {
      v = {number->value, 0, kNumber};
    }
    values_.push_back(v);
  }
  ++rows_;
}

FieldValue StoredRows::At(std::size_t row, std::size_t field) const {
  const Value& v = values_[row * fields_ + field];
  switch (v.kind) {
    case kText:
      return texts_[static_cast<std::size_t>(v.number)];
    case kBytes:
      return ByteCount{static_cast<std::uint64_t>(v.number)};
    case kMoment:
      return LocalTime{v.number, v.offset};
    case kDuration:
      return Duration{static_cast<std::uint32_t>(v.number)};
    case kNumber:
      return Number{static_cast<std::uint32_t>(v.number)};
    default:
      return std::monostate{};
  }
}

void StoredRows::Clear() {
  *this = StoredRows();
}

}  // namespace brixel
