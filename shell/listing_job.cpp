#include "shell/listing_job.h"

#include "core/listing/name_table.h"
#include "core/platform/collation.h"
#include "core/platform/user_locale.h"
#include "shell/window_jobs.h"

namespace brixel {

bool ListInto(NameTable& table, ScanRequest request, JobContext& context) {
  const Collator collator(UserLocaleName(LocaleCategory::Collation));
  request.collator = &collator;
  return !RunListing(table, request, context.ForScan()).stopped;
}

}  // namespace brixel
