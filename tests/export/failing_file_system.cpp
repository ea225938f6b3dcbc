#include "tests/export/failing_file_system.h"

#include <algorithm>

namespace brixel::test {

namespace {

std::error_code DiskFull() {
  return std::make_error_code(std::errc::no_space_on_device);
}

class FailingFile final : public platform::WritableFile {
 public:
  FailingFile(std::unique_ptr<platform::WritableFile> file, FailingCall call, std::uint64_t after)
      : file_(std::move(file)), call_(call), left_(after) {}

  void Write(std::string_view data, std::error_code& ec) override {
    if (call_ == FailingCall::Write && data.size() >= left_) {
      file_->Write(data.substr(0, static_cast<std::size_t>(left_)),
                   ec);  // half-written, as a full disk leaves it
      ec = DiskFull();
      return;
    }
    left_ -= std::min<std::uint64_t>(left_, data.size());
    file_->Write(data, ec);
  }
  void WriteAt(std::uint64_t offset, std::string_view data, std::error_code& ec) override {
    file_->WriteAt(offset, data, ec);
  }
  void Truncate(std::uint64_t size, std::error_code& ec) override { file_->Truncate(size, ec); }
  void Sync(std::error_code& ec) override {
    if (call_ == FailingCall::Sync) {
      ec = DiskFull();
      return;
    }
    file_->Sync(ec);
  }
  void Close(std::error_code& ec) override {
    file_->Close(ec);
    if (call_ == FailingCall::Close) ec = DiskFull();
  }
  void CopyFrom(const std::string& source, std::uint64_t size, std::error_code& ec) override {
    if (call_ == FailingCall::Copy) {
      ec = DiskFull();
      return;
    }
    file_->CopyFrom(source, size, ec);
  }
  void CopyOwner(const std::string& model, std::error_code& ec) override {
    if (call_ == FailingCall::Owner) {
      ec = std::make_error_code(std::errc::operation_not_permitted);
      return;
    }
    file_->CopyOwner(model, ec);
  }
  void CopyMode(const std::string& model, std::error_code& ec) override { file_->CopyMode(model, ec); }
  void CopyExtendedAttributes(const std::string& model, std::error_code& ec) override {
    file_->CopyExtendedAttributes(model, ec);
  }
  void Link(const std::string& path, std::error_code& ec) override {
    if (call_ == FailingCall::Link) {
      ec = DiskFull();
      return;
    }
    file_->Link(path, ec);
  }
  std::string SharedPath() const override { return file_->SharedPath(); }

 private:
  std::unique_ptr<platform::WritableFile> file_;
  FailingCall call_;
  std::uint64_t left_;
};

}  // namespace

std::unique_ptr<platform::WritableFile> FailingFileSystem::Wrap(
    std::unique_ptr<platform::WritableFile> file) const {
  if (!file) return file;
  return std::make_unique<FailingFile>(std::move(file), call_, after_);
}

std::unique_ptr<platform::WritableFile> FailingFileSystem::OpenForAppend(const std::string& path,
                                                                         bool& created, std::uint64_t& size,
                                                                         std::error_code& ec) const {
  if (call_ == FailingCall::Open) {
    ec = std::make_error_code(std::errc::permission_denied);
    return nullptr;
  }
  return Wrap(platform::NativeFileSystem().OpenForAppend(path, created, size, ec));
}

std::unique_ptr<platform::WritableFile> FailingFileSystem::CreateNew(const std::string& path,
                                                                     std::error_code& ec) const {
  if (call_ == FailingCall::Create) {
    ec = std::make_error_code(std::errc::permission_denied);
    return nullptr;
  }
  return Wrap(platform::NativeFileSystem().CreateNew(path, ec));
}

std::unique_ptr<platform::WritableFile> FailingFileSystem::CreateUnnamed(const std::string& folder,
                                                                         std::error_code& ec) const {
  if (call_ == FailingCall::Create) {
    ec = std::make_error_code(std::errc::permission_denied);
    return nullptr;
  }
  if (call_ == FailingCall::Unnamed) {
    ec = std::make_error_code(std::errc::operation_not_supported);
    return nullptr;
  }
  return Wrap(platform::NativeFileSystem().CreateUnnamed(folder, ec));
}

platform::FileFacts FailingFileSystem::Inspect(const std::string& path, std::error_code& ec) const {
  return platform::NativeFileSystem().Inspect(path, ec);
}

void FailingFileSystem::Replace(const std::string& from, const std::string& to, std::error_code& ec) const {
  if (call_ == FailingCall::Replace) {
    ec = std::make_error_code(std::errc::permission_denied);
    return;
  }
  platform::NativeFileSystem().Replace(from, to, ec);
}

void FailingFileSystem::Remove(const std::string& path, std::error_code& ec) const {
  platform::NativeFileSystem().Remove(path, ec);
}

}  // namespace brixel::test
