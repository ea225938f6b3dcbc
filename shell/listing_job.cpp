#include "shell/listing_job.h"

#include <memory>

#include "core/platform/collation.h"
#include "core/platform/user_locale.h"

namespace brixel {

bool ListInto(NameTable& table, ScanRequest request, const WorkControl& control) {
  const Collator collator(UserLocaleName(LocaleCategory::Collation));
  request.collator = &collator;
  return !RunListing(table, request, control).stopped;
}

WindowJob ListingJob(const ScanRequest& request, FreshColumn column,
                     std::function<void(NameTable&&)> finished, const ListingDetails& details) {
  const auto fresh = std::make_shared<NameTable>();
  fresh->SetDetails(details.columns, details.tag_encoding);
  WindowJob job;
  job.title = kListingTitle;
  job.cancel_mode = CancelMode::FreeAtOnce;
  job.work = [request, column, fresh](const WorkControl& control) {
    if (!ListInto(*fresh, request, control)) return false;
    if (column == FreshColumn::AsFound) fresh->Formatted() = fresh->AsFound();
    return true;
  };
  job.finished = [fresh, finished = std::move(finished)] { finished(std::move(*fresh)); };
  return job;
}

}  // namespace brixel
