#include "core/export/file_output.h"

#include <algorithm>

#include "core/export/save_error.h"

namespace brixel {

FileOutput::FileOutput(std::unique_ptr<platform::WritableFile> file, std::string path)
    : file_(std::move(file)), path_(std::move(path)) {
  buffer_.reserve(kBufferSize);
}

void FileOutput::WriteZeros(std::uint64_t count) {
  static const std::string kZeros(4096, '\0');
  while (count > 0) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, kZeros.size()));
    Write(std::string_view(kZeros.data(), n));
    count -= n;
  }
}

void FileOutput::PatchAt(std::uint64_t offset, std::string_view bytes) {
  Flush();
  if (!file_) Fail(std::make_error_code(std::errc::bad_file_descriptor));
  std::error_code ec;
  file_->WriteAt(offset, bytes, ec);
  if (ec) Fail(ec);
}

void FileOutput::Flush() {
  if (buffer_.empty()) return;
  if (!file_) Fail(std::make_error_code(std::errc::bad_file_descriptor));
  std::error_code ec;
  file_->Write(buffer_, ec);
  buffer_.clear();
  if (ec) Fail(ec);
}

void FileOutput::Sync() {
  Flush();
  if (!file_) Fail(std::make_error_code(std::errc::bad_file_descriptor));
  std::error_code ec;
  file_->Sync(ec);
  if (ec) Fail(ec);
}

void FileOutput::Close() {
  Flush();
  if (!file_) Fail(std::make_error_code(std::errc::bad_file_descriptor));
  std::error_code ec;
  auto file = std::move(file_);
  file->Close(ec);
  if (ec) Fail(ec);
}

void FileOutput::Abandon() noexcept {
  buffer_.clear();
  file_.reset();
}

void FileOutput::Fail(const std::error_code& ec) const {
  throw SaveFailure(path_, ec.message());
}

}  // namespace brixel
