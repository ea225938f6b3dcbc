#include "core/details/readable_file_stream.h"

#include <algorithm>
#include <climits>

namespace brixel {

ReadableFileStream::ReadableFileStream(platform::ReadableFile& file, std::string name, std::uint64_t budget)
    : file_(file), name_(std::move(name)), size_(file.Facts().size), budget_(budget) {}

TagLib::ByteVector ReadableFileStream::readBlock(unsigned long length) {
  if (failed_ || position_ >= size_ || spent_ >= budget_) return {};
  const std::uint64_t want =
      std::min({static_cast<std::uint64_t>(length), size_ - position_, budget_ - spent_});
  if (want == 0) return {};
  TagLib::ByteVector block(static_cast<unsigned int>(want));
  std::error_code ec;
  const std::size_t got = file_.ReadAt(position_, block.data(), block.size(), ec);
  if (ec) {
    failed_ = true;
    return {};
  }
  block.resize(static_cast<unsigned int>(got));
  position_ += got;
  spent_ += got;
  return block;
}

void ReadableFileStream::seek(long offset, Position p) {
  std::int64_t base = 0;
  if (p == Current) base = static_cast<std::int64_t>(position_);
  if (p == End) base = static_cast<std::int64_t>(size_);
  const std::int64_t target = base + offset;
  position_ = target < 0 ? 0 : static_cast<std::uint64_t>(target);
}

long ReadableFileStream::tell() const {
  return static_cast<long>(std::min<std::uint64_t>(position_, LONG_MAX));
}

long ReadableFileStream::length() {
  return static_cast<long>(std::min<std::uint64_t>(size_, LONG_MAX));
}

}  // namespace brixel
