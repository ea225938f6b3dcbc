#pragma once
// The save as both windows run it in a job ("Сохранение списка"). The writing is waited for on
// cancel: it puts the file back, so the file is whole or as it was. A failure is shown with the
// one failure message once the job has ended; the file is then as it was too.
#include <QString>
#include <functional>

#include "shell/window_jobs.h"

class QWidget;

namespace brixel {

class DialogFacade;

inline const QString kSaveTitle = QStringLiteral("Сохранение списка");

// `write` writes the list on the job's thread under its control: true once the list is saved,
// false when the stop ended it; it throws on a failure. `saved` runs on the window's thread after
// a save that completed. The caller adds the controls it locks.
WindowJob SaveJob(std::function<bool(const WorkControl&)> write, QWidget& window, DialogFacade& dialogs,
                  std::function<void()> saved = {});

}  // namespace brixel
