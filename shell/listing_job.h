#pragma once
// The listing as both windows run it in a job ("Поиск файлов"): the request's folder in the
// found-files order, into a table the job made for itself, handed to the window only when the job
// has finished. The scan reads nothing the window keeps, so a cancel frees the window at once.
#include <QString>
#include <functional>

#include "core/listing/folder_scan.h"
#include "core/listing/name_table.h"
#include "shell/window_jobs.h"

namespace brixel {

inline const QString kListingTitle = QStringLiteral("Поиск файлов");

// Restart groups of the windows' jobs: a newer listing choice replaces a listing under way, newer
// formatting options a formatting run.
inline constexpr int kListingGroup = 1;
inline constexpr int kFormattingGroup = 2;

// What the job does with the fresh table's after-formatting column.
enum class FreshColumn {
  Empty,    // a preview, which shows the names as found alone
  AsFound,  // a list that shows the names unformatted, as the option reset leaves them
};

// RunListing under the job's control, sorted with a collation of the job's own (the user's): a
// collation is not to be shared between threads. False when the job was stopped; the table is
// then no listing.
bool ListInto(NameTable& table, ScanRequest request, const WorkControl& control);

// The details a listing reads beside the names: none for a names-only table.
struct ListingDetails {
  Columns columns;
  TagEncoding tag_encoding = TagEncoding::Auto;
};

// The job, with its title and cancel mode; the caller adds the controls it locks, a restart
// group, and what a cancel puts back. `finished` takes the table.
WindowJob ListingJob(const ScanRequest& request, FreshColumn column,
                     std::function<void(NameTable&&)> finished, const ListingDetails& details = {});

}  // namespace brixel
