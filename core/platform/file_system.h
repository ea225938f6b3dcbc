#pragma once
// The file calls a save makes, behind one seam: the list writers reach the disk only through a
// FileSystem, so each platform brings its own calls (POSIX descriptors, Win32 handles) and tests
// can put a failing layer in its place. Calls report failure through an error code, never throw.
// Paths are UTF-8.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace brixel::platform {

// A file open for writing. Destroying it closes it without a report; call Close to get one.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Writes all of data at the end (a file opened for appending) or at the write position.
  virtual void Write(std::string_view data, std::error_code& ec) = 0;
  // Writes at an absolute offset; the write position does not move.
  virtual void WriteAt(std::uint64_t offset, std::string_view data, std::error_code& ec) = 0;
  virtual void Truncate(std::uint64_t size, std::error_code& ec) = 0;
  // Puts the bytes on the disk: a full disk that the system reports late shows here.
  virtual void Sync(std::error_code& ec) = 0;
  virtual void Close(std::error_code& ec) = 0;

  // Appends the first `size` bytes of the file at source: a new file that is to take an old
  // one's place starts as its copy.
  virtual void CopyFrom(const std::string& source, std::uint64_t size, std::error_code& ec) = 0;
  // Give this new file what the existing file at model carries besides its bytes: its owner and
  // group (a user may not give a file away, so this can fail), its permission bits or file
  // attributes, its extended attributes (access lists among them). Where the system has no such
  // thing, they do nothing.
  virtual void CopyOwner(const std::string& model, std::error_code& ec) = 0;
  virtual void CopyMode(const std::string& model, std::error_code& ec) = 0;
  virtual void CopyExtendedAttributes(const std::string& model, std::error_code& ec) = 0;
  // Gives a file made by FileSystem::CreateUnnamed a name; fails with file_exists when the name
  // is taken. The file keeps no name until then.
  virtual void Link(const std::string& path, std::error_code& ec) = 0;
  // A path by which another writer (a library that opens files by name) can fill this very file
  // while this handle stays open; empty where there is none, and the handle must be closed
  // before the file is opened by its own name.
  virtual std::string SharedPath() const = 0;
};

// What a save learns of its target before writing, symbolic links followed.
struct FileFacts {
  bool exists = false;  // false: nothing has the name yet, and the save creates the file
  bool folder = false;
  bool regular = false;           // neither a folder nor a device, pipe or socket
  bool marked_read_only = false;  // no write permission bit at all / the read-only attribute
  std::error_code write_error;    // why this user may not write the file; empty: they may
  std::uint64_t size = 0;
  std::uint64_t links = 0;             // names of the file (hard links)
  std::uint64_t volume = 0, file = 0;  // which file it is
  std::int64_t modified = 0;           // the last change of its bytes, in the system's units
  std::string real_path;               // where the links lead: the file a save writes

  // The same file, unchanged: a save that copied the file checks this before taking its place.
  bool SameAs(const FileFacts& o) const {
    return exists == o.exists && volume == o.volume && file == o.file && size == o.size &&
           modified == o.modified;
  }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens a file for appending, creating it when missing. `created` tells whether this call made
  // it, `size` how long it was before.
  virtual std::unique_ptr<WritableFile> OpenForAppend(const std::string& path, bool& created,
                                                      std::uint64_t& size, std::error_code& ec) const = 0;
  // Creates a file that must not exist yet, for writing from its start.
  virtual std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::error_code& ec) const = 0;
  // Creates a file with no name yet in `folder`, so a save that is killed leaves nothing behind;
  // WritableFile::Link names it. Fails where the system or the file system cannot (Windows, file
  // systems without O_TMPFILE): then a named file (CreateNew) is the way, and names the cause if
  // it fails too.
  virtual std::unique_ptr<WritableFile> CreateUnnamed(const std::string& folder,
                                                      std::error_code& ec) const = 0;
  // What is at path, links followed. Nothing there is no failure: exists is false and real_path
  // is path. A link that leads nowhere, or a path that cannot be looked at, is.
  virtual FileFacts Inspect(const std::string& path, std::error_code& ec) const = 0;
  // Renames from to to in one step, replacing a file at to.
  virtual void Replace(const std::string& from, const std::string& to, std::error_code& ec) const = 0;
  virtual void Remove(const std::string& path, std::error_code& ec) const = 0;
};

// The platform's own calls.
const FileSystem& NativeFileSystem();

}  // namespace brixel::platform
