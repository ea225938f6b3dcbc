#include "shell/formatting_job.h"

#include <memory>
#include <optional>

#include "shell/listing_job.h"

namespace brixel {

WindowJob FormattingJob(const NameColumn& as_found, const FormatOptions& options,
                        std::function<void(NameColumn&&, const FormatResult&)> finished) {
  const auto formatted = std::make_shared<NameColumn>();
  const auto result = std::make_shared<FormatResult>();
  WindowJob job;
  job.title = kFormattingTitle;
  job.restart_group = kFormattingGroup;
  job.cancel_mode = CancelMode::WaitForEnd;
  job.work = [&as_found, options, formatted, result](const WorkControl& control) {
    const std::optional<FormatResult> done =
        FormatColumn(as_found, options, FormatLocale::ForUser(), *formatted, control);
    if (done) *result = *done;
    return done.has_value();
  };
  job.finished = [formatted, result, finished = std::move(finished)] {
    finished(std::move(*formatted), *result);
  };
  return job;
}

WindowJob RescanFormattingJob(const ScanRequest& request, const FormatOptions& options,
                              std::function<void(NameTable&&, const FormatResult&)> finished) {
  const auto fresh = std::make_shared<NameTable>();
  const auto result = std::make_shared<FormatResult>();
  WindowJob job;
  job.title = kFormattingTitle;
  job.restart_group = kFormattingGroup;
  job.cancel_mode = CancelMode::FreeAtOnce;
  job.work = [request, options, fresh, result](const WorkControl& control) {
    if (!ListInto(*fresh, request, control)) return false;
    NameColumn& names = fresh->Formatted();
    names = fresh->AsFound();
    const std::optional<FormatResult> done =
        LiteFormattingRun(names, options, FormatLocale::ForUser(), control);
    if (done) *result = *done;
    return done.has_value();
  };
  job.finished = [fresh, result, finished = std::move(finished)] { finished(std::move(*fresh), *result); };
  return job;
}

}  // namespace brixel
