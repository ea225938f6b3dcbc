#pragma once
// Test doubles of the windows' outside world: a volume source whose drives can be made to fail,
// dialogs answered by the test, and the folder the window tests leave their screenshots in.
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/folder.h"
#include "shell/dialog_facade.h"
#include "shell/volume_source.h"

namespace brixel {
class FolderList;
}

namespace brixel::test {

class FakeVolumes : public VolumeSource {
 public:
  std::vector<Volume> volumes;
  std::set<std::string> failing;  // roots whose drive is not ready

  std::vector<Volume> Volumes() const override { return volumes; }
  bool IsReady(const Volume& volume) const override { return failing.count(volume.root) == 0; }
};

class FakeDialogs : public DialogFacade {
 public:
  struct Message {
    QString title;
    QString text;
  };
  struct Question {
    QStringList file_types;
    int filter_index;
  };

  std::optional<SaveFileChoice> answer;  // what the user picks; nothing: cancel
  int cancelled_on_type = 0;             // with a cancel, the type shown last; 0: the one offered
  std::vector<Question> questions;
  std::vector<Message> messages;
  std::vector<Message> asked;  // the yes-or-no questions
  bool go_on = true;           // the answer to each

  SaveFileChoice AskSaveFile(QWidget*, const QStringList& file_types, int filter_index) override {
    questions.push_back({file_types, filter_index});
    if (answer) return *answer;
    return {QString(), cancelled_on_type != 0 ? cancelled_on_type : filter_index};
  }
  void ShowMessage(QWidget*, const QString& title, const QString& text) override {
    messages.push_back({title, text});
  }
  bool Ask(QWidget*, const QString& title, const QString& text, const QString&, const QString&) override {
    asked.push_back({title, text});
    return go_on;
  }
};

// The folders the windows' scans read, from the disk, but steered by the test: while held, every
// folder read waits at its start until the test lets go or the scan is stopped (a slow share),
// and a folder can refuse to open even to root. Safe to use from the scans' threads.
class HeldFolders : public platform::FolderSource {
 public:
  std::unique_ptr<platform::OpenFolder> Open(const std::string& path, std::error_code& error) const override;

  // Holds every read from now on, or only the `nth` read from now (counting from 1).
  void Hold(int nth = 0);
  // Lets every held read go on, and later ones too.
  void Release();
  // Waits, on the test's thread, until a read is held; false after a long while.
  bool WaitUntilHeld() const;
  // Waits until a read held since the last Hold has seen its scan's stop and given up: the stop
  // reached the walk.
  bool WaitUntilStopSeen() const;
  // Opening a folder whose path ends in `refused` fails for want of access.
  void Refuse(std::string refused);

  // For the folders it opens: whether opening one fails; waits while a read is held, and false
  // when the scan was stopped meanwhile.
  bool Refused(const std::string& path) const;
  bool Read(std::stop_token stop) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable_any changed_;
  bool hold_all_ = false;
  mutable int hold_countdown_ = 0;  // > 0: the read that brings it to 0 is held
  int releases_ = 0;
  mutable int waiting_ = 0;  // reads held now
  mutable int stops_seen_ = 0;
  std::string refuse_;  // empty: none
};

// The file system a window's saves write through, which a test can change while the window lives.
class SteeredFileSystem final : public platform::FileSystem {
 public:
  const platform::FileSystem* now = &platform::NativeFileSystem();
  std::unique_ptr<platform::TargetFile> Resolve(const std::string& path, std::error_code& ec) const override {
    return now->Resolve(path, ec);
  }
};

// Where the tests leave their screenshots: the build folder's screenshots/ under CTest, the temp
// folder when a test is run by hand, so the sources stay clean.
QString ScreenshotFolder();

// A drag of a file or folder from a file manager, entered on the window and dropped: whether the
// window took it.
bool DropPath(QWidget& window, const std::string& path);

// Lets the window's job (a scan, a formatting run, a save) end, and the threads of cancelled ones,
// and its folder list and drive checks answer, the window's events running meanwhile. False when
// that takes a long while: the test fails instead of hanging.
bool Idle(const QWidget& window);

// Lets a folder list read the subfolders of its folder, the events running meanwhile; false
// after a long while.
bool SubfoldersRead(const FolderList& list);

// On a job's thread, while the test's thread runs the window's events (Idle): has `act` done on the
// window's thread, as a click would, and returns once it is done.
void OnWindowThread(QWidget& window, const std::function<void()>& act);

}  // namespace brixel::test
