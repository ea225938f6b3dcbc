#include "shell/save_job.h"

#include <memory>

#include "shell/messages.h"

namespace brixel {

WindowJob SaveJob(std::function<bool(const WorkControl&)> write, QWidget& window, DialogFacade& dialogs,
                  std::function<void()> saved) {
  const auto failed = std::make_shared<bool>(false);
  WindowJob job;
  job.title = kSaveTitle;
  job.cancel_mode = CancelMode::WaitForEnd;
  job.work = [write = std::move(write), failed](const WorkControl& control) {
    try {
      return write(control);
    } catch (...) {
      *failed = true;  // the file is as it was
      return true;
    }
  };
  job.finished = [&window, &dialogs, failed, saved = std::move(saved)] {
    if (*failed)
      ShowSaveFailure(window, dialogs);
    else if (saved)
      saved();
  };
  return job;
}

}  // namespace brixel
