#pragma once
// Test doubles and folders for the window tests: a temporary tree, a volume source whose drives
// can be made to fail, and dialogs answered by the test.
#include <QStringList>
#include <QTemporaryDir>
#include <set>
#include <string>
#include <vector>

#include "full/shell/dialog_facade.h"
#include "full/shell/volume_source.h"

namespace brixel::test {

// A temporary folder; paths are UTF-8 and relative ones are created on demand.
class TestFolder {
 public:
  TestFolder();
  std::string Path(const std::string& relative = {}) const;
  void File(const std::string& relative, const std::string& bytes = {}) const;
  void Folder(const std::string& relative) const;

 private:
  QTemporaryDir dir_;
};

std::string ReadFile(const std::string& path);

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
  std::vector<Question> questions;
  std::vector<Message> messages;

  std::optional<SaveFileChoice> AskSaveFile(QWidget*, const QStringList& file_types,
                                            int filter_index) override {
    questions.push_back({file_types, filter_index});
    return answer;
  }
  void ShowMessage(QWidget*, const QString& title, const QString& text) override {
    messages.push_back({title, text});
  }
};

// Where the tests leave their screenshots.
QString ScreenshotFolder();

}  // namespace brixel::test
