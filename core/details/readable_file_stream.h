#pragma once
// The tag library's stream over a file opened by the platform layer: the library never opens a
// path itself, so it reads exactly the regular file that was checked. Read-only, and read within
// a budget: a tag that claims gigabytes costs at most the budget in memory, and a damaged file the
// library keeps scanning ends when the budget does (reads past it find the end of the file).
#include <taglib/tiostream.h>

#include <cstdint>
#include <string>

#include "core/platform/readable_file.h"

namespace brixel {

class ReadableFileStream final : public TagLib::IOStream {
 public:
  // `name` is the bare name, whose extension tells the library the format.
  ReadableFileStream(platform::ReadableFile& file, std::string name, std::uint64_t budget);

  TagLib::FileName name() const override { return name_.c_str(); }
  TagLib::ByteVector readBlock(unsigned long length) override;
  void writeBlock(const TagLib::ByteVector&) override {}
  void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
  void removeBlock(unsigned long, unsigned long) override {}
  bool readOnly() const override { return true; }
  bool isOpen() const override { return true; }
  void seek(long offset, Position p = Beginning) override;
  long tell() const override;
  long length() override;
  void truncate(long) override {}

  // Bytes read so far.
  std::uint64_t Spent() const { return spent_; }

 private:
  platform::ReadableFile& file_;
  const std::string name_;
  const std::uint64_t size_;
  const std::uint64_t budget_;
  std::uint64_t position_ = 0;
  std::uint64_t spent_ = 0;
  bool failed_ = false;  // a read failed: the file reads as ended from then on
};

}  // namespace brixel
