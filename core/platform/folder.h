#pragma once
// The platform's view of one folder: open it, read all its entries once, open a subfolder of it.
// Callers never see handles, paths of the platform or #ifdefs. Entries come classified:
//   File   - a file the scan may list (POSIX: a regular file; Windows: a listed attribute word),
//   Folder - a folder the tree walk may enter (POSIX: a directory, never a symbolic link;
//            Windows: a walked attribute word),
//   Other  - neither (links, sockets, devices, other attribute words).
// "." and ".." are never reported.
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/platform/entry_facts.h"
#include "core/platform/readable_file.h"

namespace brixel::platform {

enum class EntryKind : std::uint8_t { File, Folder, Other };

struct FolderEntry {
  std::uint32_t name_offset;
  std::uint32_t name_size;
  EntryKind kind;
};

// All entries of one folder in the order the system reports them; names in one buffer.
struct FolderListing {
  std::string names;
  std::vector<FolderEntry> entries;
  // Each entry's size and time where reading the folder gives them (Windows), one per entry;
  // empty elsewhere. OpenFolder::ReadFacts reads them.
  std::vector<EntryFacts> facts;

  std::string_view Name(const FolderEntry& e) const { return {names.data() + e.name_offset, e.name_size}; }
  void Clear() {
    names.clear();
    entries.clear();
    facts.clear();
  }
};

// Identifies a folder on its volume, so a walk can tell a folder it is already inside.
struct FolderIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FolderIdentity&) const = default;
};

class OpenFolder {
 public:
  // Opens the folder at a UTF-8 path. On failure returns null and sets ec (the system's own
  // error: an errno value on POSIX, a Win32 error code on Windows, each with its message).
  static std::unique_ptr<OpenFolder> Open(const std::string& path, std::error_code& ec);

  virtual ~OpenFolder() = default;

  // Opens a subfolder by its bare name, never through a link.
  virtual std::unique_ptr<OpenFolder> OpenChild(std::string_view name, std::error_code& ec) const = 0;

  // Opens the folder this one is in: a walk climbing back out of a deep tree gets each folder it
  // had closed again in one step. Callers check the identity: the tree may have changed.
  virtual std::unique_ptr<OpenFolder> OpenParent(std::error_code& ec) const = 0;

  // Appends every entry to out. Returns false (and sets ec) when reading failed part way;
  // what was read stays in out. A stop request ends the reading between two batches of entries
  // (the listing is then a part, and true is returned: nothing failed).
  virtual bool ReadAll(FolderListing& out, std::error_code& ec, std::stop_token stop = {}) = 0;

  virtual FolderIdentity Identity() const = 0;

  // The size and time of entry `index` of a listing this folder read, links not followed: taken
  // from the listing where reading the folder gave them (Windows), otherwise asked of the system
  // relative to this folder (fstatat), so no path is built and no second walk is made. False,
  // with ec set, for an entry that is gone or cannot be looked at. Safe on any thread while the
  // folder stays open.
  virtual bool ReadFacts(const FolderListing& /*listing*/, std::size_t /*index*/, EntryFacts& /*out*/,
                         std::error_code& ec) const {
    ec = std::make_error_code(std::errc::operation_not_supported);
    return false;
  }

  // Opens the file `name` of this folder for reading, if it is a regular file: never through a
  // link, never with a call that can block, and never a FIFO, device, socket or folder of that
  // name (std::errc::invalid_argument). Null, with ec set, when it cannot be opened. Safe on any
  // thread while the folder stays open.
  virtual std::unique_ptr<ReadableFile> OpenFileForReading(std::string_view /*name*/,
                                                           std::error_code& ec) const {
    ec = std::make_error_code(std::errc::operation_not_supported);
    return nullptr;
  }
};

// Where folders are opened: the platform's own file system, or a stand-in that tests make slow or
// failing. Subfolders come from the OpenFolder it returns.
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  virtual std::unique_ptr<OpenFolder> Open(const std::string& path, std::error_code& ec) const = 0;
};

// The platform's own folders (OpenFolder::Open).
const FolderSource& NativeFolders();

// The error that says a folder is not (or no longer) there, as the platform itself words it.
std::error_code NotFoundError();

}  // namespace brixel::platform
