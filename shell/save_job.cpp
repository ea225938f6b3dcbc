#include "shell/save_job.h"

#include <memory>
#include <optional>
#include <variant>

#include "core/export/appended_file.h"
#include "core/export/save_error.h"
#include "core/export/text_list_guard.h"
#include "shell/messages.h"

namespace brixel {

namespace {

struct Failed {};
struct Foreign {
  ForeignContent content;
};
struct NeedsInPlace {
  InPlaceCause cause;
  std::uint64_t room_needed;
  std::uint64_t room_free;
};
// What the writing met, to be answered on the window's thread; monostate: saved.
using Outcome = std::variant<std::monostate, Failed, Foreign, NeedsInPlace, Cp1251LossesAhead>;

}  // namespace

bool StartSave(WindowJobs& jobs, QWidget& window, DialogFacade& dialogs, SaveRequest request,
               SaveLeave leave) {
  const auto outcome = std::make_shared<Outcome>();
  WindowJob job;
  job.title = kSaveTitle;
  job.cancel_mode = CancelMode::WaitForEnd;
  job.locked = request.locked;
  // Every way the writing ends leaves the file whole or as it was; what it met is kept for the
  // window. A stop while the save waited for the file is the user's stop.
  job.work = [write = request.write, path = request.path, text_list = request.text_list,
              fs = request.file_system, leave, outcome](const WorkControl& control) {
    try {
      // Before anything else the save would ask or do.
      if (text_list)
        if (const std::optional<ForeignContent> content =
                CheckTextListTarget(path, fs != nullptr ? *fs : platform::NativeFileSystem()))
          throw NotATextList(path, *content);
      return write(control, leave);
    } catch (const SaveStopped&) {
      return false;
    } catch (const NotATextList& e) {
      *outcome = Foreign{e.content};
    } catch (const InPlaceRefused& e) {
      if (InPlaceNeedsLeave(e.cause))
        *outcome = NeedsInPlace{e.cause, e.room_needed, e.room_free};
      else
        *outcome = Failed{};
    } catch (const Cp1251LossesAhead& e) {
      *outcome = e;
    } catch (...) {
      *outcome = Failed{};
    }
    return true;
  };
  job.finished = [&jobs, &window, &dialogs, request, leave, outcome] {
    SaveLeave more = leave;
    if (std::holds_alternative<std::monostate>(*outcome)) {
      if (request.saved) request.saved();
      return;
    } else if (std::holds_alternative<Failed>(*outcome)) {
      ShowSaveFailure(window, dialogs);
      return;
    } else if (const auto* foreign = std::get_if<Foreign>(&*outcome)) {
      ShowNotATextList(window, dialogs, request.path, foreign->content);
      return;
    } else if (const auto* in_place = std::get_if<NeedsInPlace>(&*outcome)) {
      if (!AskInPlace(window, dialogs, request.path, in_place->cause == InPlaceCause::NoRoomForCopy,
                      in_place->room_needed, in_place->room_free))
        return;
      more.in_place = true;
    } else if (const auto* losses = std::get_if<Cp1251LossesAhead>(&*outcome)) {
      if (!AskCp1251Losses(window, dialogs, losses->losses)) return;
      more.cp1251_losses = true;
    }
    StartSave(jobs, window, dialogs, request, more);
  };
  return jobs.Start(std::move(job));
}

}  // namespace brixel
