#include "tests/support/window_fakes.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QEventLoop>
#include <QMimeData>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include "shell/folder_chooser.h"
#include "shell/folder_list.h"
#include "shell/window_jobs.h"

namespace brixel::test {

QString ScreenshotFolder() {
  QString folder = qEnvironmentVariable("BRIXEL_SCREENSHOT_DIR");
  if (folder.isEmpty()) folder = QDir::tempPath() + QStringLiteral("/brixel-screenshots");
  QDir().mkpath(folder);
  return folder;
}

namespace {

using namespace std::chrono_literals;
constexpr auto kLongWhile = 30s;

class HeldFolder final : public platform::OpenFolder {
 public:
  HeldFolder(std::unique_ptr<platform::OpenFolder> inner, std::string path, const HeldFolders& source)
      : inner_(std::move(inner)), path_(std::move(path)), source_(source) {}

  std::unique_ptr<platform::OpenFolder> OpenChild(std::string_view name,
                                                  std::error_code& error) const override {
    const std::string path = path_ + "/" + std::string(name);
    if (source_.Refused(path)) {
      error = std::make_error_code(std::errc::permission_denied);
      return nullptr;
    }
    auto child = inner_->OpenChild(name, error);
    return child ? std::make_unique<HeldFolder>(std::move(child), path, source_) : nullptr;
  }

  std::unique_ptr<platform::OpenFolder> OpenParent(std::error_code& error) const override {
    auto parent = inner_->OpenParent(error);
    if (!parent) return nullptr;
    return std::make_unique<HeldFolder>(std::move(parent), path_.substr(0, path_.rfind('/')), source_);
  }

  bool ReadAll(platform::FolderListing& out, std::error_code& error, std::stop_token stop) override {
    return !source_.Read(stop) || inner_->ReadAll(out, error, stop);  // stopped: nothing read
  }

  platform::FolderIdentity Identity() const override { return inner_->Identity(); }
  bool ReadFacts(const platform::FolderListing& listing, std::size_t index, platform::EntryFacts& out,
                 std::error_code& error) const override {
    return inner_->ReadFacts(listing, index, out, error);
  }
  std::unique_ptr<platform::ReadableFile> OpenFileForReading(std::string_view name,
                                                             std::error_code& error) const override {
    return inner_->OpenFileForReading(name, error);
  }

 private:
  std::unique_ptr<platform::OpenFolder> inner_;
  std::string path_;
  const HeldFolders& source_;
};

bool EndsWith(const std::string& text, const std::string& ending) {
  return !ending.empty() && text.size() >= ending.size() &&
         text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

std::unique_ptr<platform::OpenFolder> HeldFolders::Open(const std::string& path,
                                                        std::error_code& error) const {
  if (Refused(path)) {
    error = std::make_error_code(std::errc::permission_denied);
    return nullptr;
  }
  auto folder = platform::NativeFolders().Open(path, error);
  return folder ? std::make_unique<HeldFolder>(std::move(folder), path, *this) : nullptr;
}

bool HeldFolders::Refused(const std::string& path) const {
  const std::lock_guard lock(mutex_);
  return EndsWith(path, refuse_);
}

bool HeldFolders::Read(std::stop_token stop) const {
  std::unique_lock lock(mutex_);
  if (!hold_all_ && !(hold_countdown_ > 0 && --hold_countdown_ == 0)) return true;
  const int release = releases_;
  ++waiting_;
  changed_.notify_all();
  const bool released = changed_.wait(lock, stop, [&] { return releases_ != release; });
  --waiting_;
  if (!released) ++stops_seen_;
  changed_.notify_all();
  return released;
}

void HeldFolders::Hold(int nth) {
  const std::lock_guard lock(mutex_);
  hold_all_ = nth == 0;
  hold_countdown_ = nth;
  stops_seen_ = 0;
}

void HeldFolders::Release() {
  const std::lock_guard lock(mutex_);
  hold_all_ = false;
  hold_countdown_ = 0;
  ++releases_;
  changed_.notify_all();
}

bool HeldFolders::WaitUntilHeld() const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, kLongWhile, [this] { return waiting_ > 0; });
}

bool HeldFolders::WaitUntilStopSeen() const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, kLongWhile, [this] { return stops_seen_ > 0; });
}

void HeldFolders::Refuse(std::string refused) {
  const std::lock_guard lock(mutex_);
  refuse_ = std::move(refused);
}

bool DropPath(QWidget& window, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  const QPointF middle(window.width() / 2.0, window.height() / 2.0);
  QDragEnterEvent enter(middle.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  return drop.isAccepted();
}

namespace {

// Runs the events until settled() holds, looking again every few milliseconds; false when that
// takes a long while.
bool RunEventsUntil(const std::function<bool()>& settled) {
  QEventLoop loop;
  QTimer look_again;
  QObject::connect(&look_again, &QTimer::timeout, &loop, &QEventLoop::quit);
  look_again.start(5);
  const auto give_up = std::chrono::steady_clock::now() + kLongWhile;
  while (!settled() && std::chrono::steady_clock::now() < give_up) loop.exec();
  return settled();
}

}  // namespace

bool Idle(const QWidget& window) {
  // Cancelled jobs' threads too, so that no scan of an earlier step still reads folders.
  const WindowJobs* jobs = window.findChild<WindowJobs*>();
  const FolderChooser* chooser = window.findChild<FolderChooser*>();
  const QList<FolderList*> lists = window.findChildren<FolderList*>();
  return RunEventsUntil([&] {
    return (jobs == nullptr || (!jobs->Busy() && !jobs->Stopping())) &&
           (chooser == nullptr || !chooser->CheckingDrive()) &&
           std::none_of(lists.begin(), lists.end(), [](const FolderList* list) { return list->Loading(); });
  });
}

bool SubfoldersRead(const FolderList& list) {
  return RunEventsUntil([&] { return !list.Loading(); });
}

void OnWindowThread(QWidget& window, const std::function<void()>& act) {
  std::atomic<bool> done{false};
  QMetaObject::invokeMethod(
      &window,
      [&] {
        act();
        done = true;
      },
      Qt::QueuedConnection);
  while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace brixel::test
