#pragma once
// The listing as both windows run it in a job: the found-files order, into a table the job made
// for itself, handed to the window only when the job has finished.
#include "core/listing/folder_scan.h"

namespace brixel {

class JobContext;
class NameTable;

// RunListing under the job's control, sorted with a collation of the job's own (the user's): a
// collation is not to be shared between threads. False when the job was stopped; the table is
// then no listing.
bool ListInto(NameTable& table, ScanRequest request, JobContext& context);

}  // namespace brixel
