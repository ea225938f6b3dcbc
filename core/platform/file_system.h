#pragma once
// The file calls a save makes, behind one seam: the list writers reach the disk only through a
// FileSystem, so each platform brings its own calls (POSIX descriptors, Win32 handles) and tests
// can put a failing layer in its place. Calls report failure through an error code, never throw.
// Paths are UTF-8.
//
// A save looks its target up once (FileSystem::Resolve) and works on what it found from then
// on: the folder that holds the file, kept open, and the file's name in it. Nothing the save does
// later looks the user's path up again, so a name swapped for a symbolic link meanwhile cannot
// steer the save onto another file.
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

  // Appends the first `size` bytes of the file at source (TargetFile::FilePath): a new file that
  // is to take an old one's place starts as its copy.
  virtual void CopyFrom(const std::string& source, std::uint64_t size, std::error_code& ec) = 0;
  // Give this new file what the existing file at model carries besides its bytes: its owner and
  // group (a user may not give a file away, so this can fail), its permission bits or file
  // attributes, its extended attributes (access lists among them). Where the system or the file
  // system has no such thing, they do nothing.
  virtual void CopyOwner(const std::string& model, std::error_code& ec) = 0;
  virtual void CopyMode(const std::string& model, std::error_code& ec) = 0;
  virtual void CopyExtendedAttributes(const std::string& model, std::error_code& ec) = 0;
  // A path by which another writer (a library that opens files by name) can fill this very file
  // while this handle stays open; empty where there is none, and the handle must be closed
  // before the file is opened by its own name (TargetFile::PathOf).
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
  std::uint64_t links = 0;               // names of the file (hard links)
  std::uint64_t volume = 0, file = 0;    // which file it is
  std::int64_t modified = 0;             // the last change of its bytes, in the system's units
  std::int64_t changed = 0;              // the last change of anything about it (POSIX ctime)
  bool append_only = false;              // the file takes appends only: nothing may take its place
  bool folder_takes_no_renames = false;  // its folder takes new names, but no renames or removals

  // The same file, unchanged: a save that copied the file checks this before taking its place.
  bool SameAs(const FileFacts& o) const {
    return exists == o.exists && volume == o.volume && file == o.file && size == o.size &&
           modified == o.modified && changed == o.changed;
  }
};

// A save's target as it was found, and the calls that work on it: in its folder, on its name.
// Names given to these calls are bare names of files in the target's folder.
class TargetFile {
 public:
  virtual ~TargetFile() = default;
  virtual const FileFacts& Facts() const = 0;
  // The target's name in its folder.
  virtual const std::string& Name() const = 0;
  // A path that opens the very file that was found (through its open descriptor where the
  // system has one): to copy it and to read its owner, permissions and attributes.
  virtual std::string FilePath() const = 0;
  // A path for a file of the target's folder, for a writer that opens files by name.
  virtual std::string PathOf(const std::string& name) const = 0;
  // The first bytes of the file that was found, at most limit.
  virtual std::string ReadStart(std::size_t limit, std::error_code& ec) const = 0;
  // Takes the advisory lock other programs take to write the file (fcntl / LockFileEx) and holds
  // it until this object goes; Facts() are read again once it is held. resource_unavailable_
  // try_again: another program holds it now. A file system without locks is no failure.
  virtual void Lock(std::error_code& ec) = 0;
  // Bytes this user may still fill in the target's folder.
  virtual std::uint64_t FreeSpace(std::error_code& ec) const = 0;

  // Opens the target for appending, creating it when it was missing; `created` tells whether this
  // call made it, `size` how long it was before. Fails when the name no longer leads to the file
  // that was found.
  virtual std::unique_ptr<WritableFile> OpenForAppend(bool& created, std::uint64_t& size,
                                                      std::error_code& ec) = 0;
  // Creates a file with no name yet in the target's folder, so a save that is killed leaves
  // nothing behind; Link names it. Fails where the system or the file system cannot (Windows,
  // file systems without O_TMPFILE): then a named file (CreateNew) is the way.
  virtual std::unique_ptr<WritableFile> CreateUnnamed(std::error_code& ec) const = 0;
  // Creates a file of that name, which must not exist yet, for writing from its start.
  virtual std::unique_ptr<WritableFile> CreateNew(const std::string& name, std::error_code& ec) const = 0;
  // Gives a file made by CreateUnnamed (its SharedPath) a name; file_exists when it is taken.
  virtual void Link(const std::string& file, const std::string& name, std::error_code& ec) const = 0;
  // Renames the folder's file `name` to the target's name in one step. The very last thing
  // before it: the target must still be the file found, unchanged (size, change times), or, when
  // nothing had the name, nothing may have it now; otherwise the call fails and changes nothing.
  virtual void Replace(const std::string& name, std::error_code& ec) = 0;
  virtual void Remove(const std::string& name, std::error_code& ec) const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Looks up what a save to path would write: every symbolic link on the way followed, once. A
  // link in a folder anyone may write that has the sticky bit (/tmp) is followed only when it
  // belongs to the saving user or to the folder's owner, whatever the system's own setting says
  // (fs.protected_symlinks); otherwise permission_denied. Nothing at the name is no failure
  // (exists is false); a missing folder on the way, or a link that leads nowhere, is.
  virtual std::unique_ptr<TargetFile> Resolve(const std::string& path, std::error_code& ec) const = 0;
};

// The platform's own calls.
const FileSystem& NativeFileSystem();

// The failure of a call that finds the target no longer what the save looked up: another
// program wrote to it, or put another file or a link in its place, or took its free name.
std::error_code TargetChangedError();

}  // namespace brixel::platform
