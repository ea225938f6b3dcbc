#include "tests/export/failing_file_system.h"

#include <algorithm>

namespace brixel::test {

namespace {

std::error_code DiskFull() {
  return std::make_error_code(std::errc::no_space_on_device);
}

class FailingFile final : public platform::WritableFile {
 public:
  FailingFile(std::unique_ptr<platform::WritableFile> file, const FailingFileSystem& fs)
      : file_(std::move(file)), fs_(fs), left_(fs.AfterBytes()) {}

  void Write(std::string_view data, std::error_code& ec) override {
    if (data.size() >= left_ && fs_.Fails(FailingCall::Write)) {
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
    if (fs_.Fails(FailingCall::Sync)) {
      ec = DiskFull();
      return;
    }
    file_->Sync(ec);
  }
  void Close(std::error_code& ec) override {
    const bool fails = fs_.Fails(FailingCall::Close);
    file_->Close(ec);
    if (fails) ec = DiskFull();
  }
  void CopyFrom(const std::string& source, std::uint64_t size, std::error_code& ec) override {
    if (fs_.Fails(FailingCall::Copy)) {
      ec = DiskFull();
      return;
    }
    file_->CopyFrom(source, size, ec);
  }
  void CopyOwner(const std::string& model, std::error_code& ec) override {
    if (fs_.Fails(FailingCall::Owner)) {
      ec = std::make_error_code(std::errc::operation_not_permitted);
      return;
    }
    file_->CopyOwner(model, ec);
  }
  void CopyMode(const std::string& model, std::error_code& ec) override {
    if (fs_.Fails(FailingCall::Mode)) {
      ec = std::make_error_code(std::errc::function_not_supported);
      return;
    }
    file_->CopyMode(model, ec);
  }
  void CopyExtendedAttributes(const std::string& model, std::error_code& ec) override {
    file_->CopyExtendedAttributes(model, ec);
  }
  std::string SharedPath() const override { return file_->SharedPath(); }

 private:
  std::unique_ptr<platform::WritableFile> file_;
  const FailingFileSystem& fs_;
  std::uint64_t left_;
};

class FailingTarget final : public platform::TargetFile {
 public:
  FailingTarget(std::unique_ptr<platform::TargetFile> target, const FailingFileSystem& fs)
      : target_(std::move(target)), fs_(fs) {}

  const platform::FileFacts& Facts() const override { return target_->Facts(); }
  const std::string& Name() const override { return target_->Name(); }
  std::string FilePath() const override { return target_->FilePath(); }
  std::string PathOf(const std::string& name) const override { return target_->PathOf(name); }
  std::string ReadStart(std::size_t limit, std::error_code& ec) const override {
    return target_->ReadStart(limit, ec);
  }
  void Lock(std::error_code& ec) override { target_->Lock(ec); }
  std::uint64_t FreeSpace(std::error_code& ec) const override { return target_->FreeSpace(ec); }

  std::unique_ptr<platform::WritableFile> OpenForAppend(bool& created, std::uint64_t& size,
                                                        std::error_code& ec) override {
    if (fs_.Fails(FailingCall::Open)) {
      ec = std::make_error_code(std::errc::permission_denied);
      return nullptr;
    }
    return Wrap(target_->OpenForAppend(created, size, ec));
  }
  std::unique_ptr<platform::WritableFile> CreateUnnamed(std::error_code& ec) const override {
    if (fs_.Fails(FailingCall::Create)) {
      ec = std::make_error_code(std::errc::permission_denied);
      return nullptr;
    }
    if (fs_.Fails(FailingCall::Unnamed)) {
      ec = std::make_error_code(std::errc::operation_not_supported);
      return nullptr;
    }
    return Wrap(target_->CreateUnnamed(ec));
  }
  std::unique_ptr<platform::WritableFile> CreateNew(const std::string& name,
                                                    std::error_code& ec) const override {
    if (fs_.Fails(FailingCall::Create)) {
      ec = std::make_error_code(std::errc::permission_denied);
      return nullptr;
    }
    return Wrap(target_->CreateNew(name, ec));
  }
  void Link(const std::string& file, const std::string& name, std::error_code& ec) const override {
    if (fs_.Fails(FailingCall::Link)) {
      ec = DiskFull();
      return;
    }
    target_->Link(file, name, ec);
  }
  void Replace(const std::string& name, std::error_code& ec) override {
    if (fs_.Fails(FailingCall::Replace)) {
      ec = std::make_error_code(std::errc::permission_denied);
      return;
    }
    target_->Replace(name, ec);
  }
  void Remove(const std::string& name, std::error_code& ec) const override { target_->Remove(name, ec); }

 private:
  std::unique_ptr<platform::WritableFile> Wrap(std::unique_ptr<platform::WritableFile> file) const {
    if (!file) return file;
    return std::make_unique<FailingFile>(std::move(file), fs_);
  }

  std::unique_ptr<platform::TargetFile> target_;
  const FailingFileSystem& fs_;
};

}  // namespace

bool FailingFileSystem::Fails(FailingCall call) const {
  if (call != call_) return false;
  if (!before_) return true;
  before_();
  return false;
}

std::unique_ptr<platform::TargetFile> FailingFileSystem::Resolve(const std::string& path,
                                                                 std::error_code& ec) const {
  auto target = platform::NativeFileSystem().Resolve(path, ec);
  if (!target) return target;
  return std::make_unique<FailingTarget>(std::move(target), *this);
}

}  // namespace brixel::test
