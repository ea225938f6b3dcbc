#pragma once
// POSIX file facts: a stat's size and time, and a regular file opened relative to a folder's
// descriptor for reading.
#include <sys/stat.h>

#include <memory>
#include <string>
#include <system_error>

#include "core/platform/entry_facts.h"
#include "core/platform/readable_file.h"

namespace brixel::platform {

EntryFacts FactsOf(const struct stat& st);

// openat with O_NONBLOCK | O_NOFOLLOW | O_NOCTTY, then fstat of the descriptor: what is not a
// regular file is closed unread (std::errc::invalid_argument). A FIFO opened so returns at once,
// and the open itself never follows a link.
std::unique_ptr<ReadableFile> OpenRegularFileAt(int folder_fd, const std::string& name, std::error_code& ec);

}  // namespace brixel::platform
