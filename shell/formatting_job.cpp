#include "shell/formatting_job.h"

#include <memory>
#include <optional>

#include "shell/listing_job.h"

namespace brixel {

namespace {

// The job around a run: `run` on the job's thread (nothing when the stop ended it), then
// `deliver` with its result on the window's.
WindowJob RunJob(CancelMode mode, std::function<std::optional<FormatResult>(const WorkControl&)> run,
                 std::function<void(const FormatResult&)> deliver) {
  const auto result = std::make_shared<FormatResult>();
  WindowJob job;
  job.title = kFormattingTitle;
  job.restart_group = kFormattingGroup;
  job.cancel_mode = mode;
  job.work = [run = std::move(run), result](const WorkControl& control) {
    const std::optional<FormatResult> done = run(control);
    if (done) *result = *done;
    return done.has_value();
  };
  job.finished = [result, deliver = std::move(deliver)] { deliver(*result); };
  return job;
}

}  // namespace

WindowJob FormattingJob(const NameColumn& as_found, const FormatOptions& options,
                        std::function<void(NameColumn&&, const FormatResult&)> finished) {
  const auto formatted = std::make_shared<NameColumn>();
  return RunJob(
      CancelMode::WaitForEnd,
      [&as_found, options, formatted](const WorkControl& control) {
        return FormatColumn(as_found, options, FormatLocale::ForUser(), *formatted, control);
      },
      [formatted, finished = std::move(finished)](const FormatResult& result) {
        finished(std::move(*formatted), result);
      });
}

WindowJob RescanFormattingJob(const ScanRequest& request, const FormatOptions& options,
                              std::function<void(NameTable&&, const FormatResult&)> finished) {
  const auto fresh = std::make_shared<NameTable>();
  return RunJob(
      CancelMode::FreeAtOnce,
      [request, options, fresh](const WorkControl& control) -> std::optional<FormatResult> {
        if (!ListInto(*fresh, request, control)) return std::nullopt;
        fresh->Formatted() = fresh->AsFound();
        return LiteFormattingRun(fresh->Formatted(), options, FormatLocale::ForUser(), control);
      },
      [fresh, finished = std::move(finished)](const FormatResult& result) {
        finished(std::move(*fresh), result);
      });
}

}  // namespace brixel
