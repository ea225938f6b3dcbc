#pragma once
// Test doubles of the windows' outside world: a volume source whose drives can be made to fail,
// dialogs answered by the test, and the folder the window tests leave their screenshots in.
#include <QString>
#include <QStringList>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "shell/dialog_facade.h"
#include "shell/volume_source.h"

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

// Where the tests leave their screenshots: the build folder's screenshots/ under CTest, the temp
// folder when a test is run by hand, so the sources stay clean.
QString ScreenshotFolder();

}  // namespace brixel::test
