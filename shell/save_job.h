#pragma once
// The save as both windows run it in a job ("Сохранение списка"). The writing is waited for on
// cancel: it puts the file back, so the file is whole or as it was.
//
// What the writing meets is answered on the window's thread once the job has ended, the file
// still as it was: a failure with the one failure message, a text list aimed at a file that is no
// text list with a message naming the file and the reason, and two things that need the user's
// word with a question - names that would lose characters in Windows-1251, and a text list that
// could only be written into the file itself. A yes runs the save again with that leave.
#include <QList>
#include <QString>
#include <functional>
#include <string>

#include "core/export/cp1251_losses.h"
#include "shell/window_jobs.h"

class QWidget;

namespace brixel {

class DialogFacade;
namespace platform {
class FileSystem;
}

inline const QString kSaveTitle = QStringLiteral("Сохранение списка");

// What a save may do only once the user has said yes.
struct SaveLeave {
  bool cp1251_losses = false;  // write names whose characters Windows-1251 lacks as "?"
  bool in_place = false;       // write a text list into the file itself (ListWriterOptions::in_place_allowed)
};

// Thrown by a save's writing, before anything is written, when names would lose characters.
struct Cp1251LossesAhead {
  Cp1251Losses losses;
};

// Writes the list on the job's thread under its control and with the leave given: true once the
// list is saved, false when the stop ended it; throws SaveError or Cp1251LossesAhead.
using SaveWriting = std::function<bool(const WorkControl&, const SaveLeave&)>;

struct SaveRequest {
  std::string path;        // the file, as named
  bool text_list = false;  // appended to the file: refused at once when that is no text list
  const platform::FileSystem* file_system = nullptr;  // where it writes; null: the platform's own
  SaveWriting write;
  QList<QWidget*> locked;       // the controls the save locks
  std::function<void()> saved;  // on the window's thread after a save that completed
};

// Starts the save in the window's jobs; false when another job runs.
bool StartSave(WindowJobs& jobs, QWidget& window, DialogFacade& dialogs, SaveRequest request,
               SaveLeave leave = {});

}  // namespace brixel
