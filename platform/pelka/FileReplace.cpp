#include "FileReplace.h"

#include "pelka/EcuDocFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#  include <fcntl.h>
#  include <io.h>
#  include <sys/stat.h>
#else
#  include <fcntl.h>
#  include <sys/file.h>
#  include <sys/stat.h>
#  include <unistd.h>

#  include <cerrno>
#  include <ctime>
#endif

namespace Pelka {

namespace fs = std::filesystem;

namespace {

// ---- the operating system: everything that differs between POSIX and Windows

// What a replaced file hands on to its successor.
struct FileFacts {
  bool regular = false;
  unsigned mode = 0;
  unsigned owner = 0;
  unsigned group = 0;
};

#if defined(_WIN32)
// Windows has no owner to keep here, no directory to sync, and needs no lock: a file a save has
// open cannot be deleted, so a running save's temporary file is never taken for a stale one.
namespace Os {

// Only a closed file can be renamed or removed.
constexpr bool kClosesBeforeRename = true;

using Instant = fs::file_time_type;
Instant Now() { return fs::file_time_type::clock::now(); }

FileFacts Facts(const fs::path& file) {
  std::error_code error;
  return FileFacts{fs::is_regular_file(fs::status(file, error))};
}

int CreateExclusive(const fs::path& name, unsigned) {
  // The wide name keeps UTF-8 paths intact.
  return _wopen(name.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
}
bool Claim(int, const fs::path&) { return true; }
bool TakeOver(int, const FileFacts&) { return true; }
bool Write(int descriptor, const char* data, std::size_t size) {
  while (size > 0) {
    const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30));
    const int written = _write(descriptor, data, chunk);
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}
bool SyncFile(int descriptor) { return _commit(descriptor) == 0; }
bool SyncDirectory(const fs::path&) { return true; }
void Close(int descriptor) { _close(descriptor); }

void RemoveIfStale(const fs::path& name, Instant saveStart) {
  std::error_code error;
  if (!fs::is_regular_file(fs::symlink_status(name, error))) return;
  const Instant written = fs::last_write_time(name, error);
  if (!error && written < saveStart) fs::remove(name, error);  // refused while a save has it open
}

}  // namespace Os
#else
namespace Os {

// The lock is held until the rename is done.
constexpr bool kClosesBeforeRename = false;

using Instant = timespec;
Instant Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now;
}
bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

FileFacts Facts(const fs::path& file) {
  struct stat status {};
  if (stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  return {true, static_cast<unsigned>(status.st_mode & 07777), status.st_uid, status.st_gid};
}

bool SameFile(int descriptor, const fs::path& name) {
  struct stat opened {};
  struct stat named {};
  return fstat(descriptor, &opened) == 0 && lstat(name.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

int CreateExclusive(const fs::path& name, unsigned mode) {
  return open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
}

// A save holds the lock on its temporary file until the rename, so no other save takes it for a
// stale one. False when one did so between the file's creation and the lock: the name is no
// longer this file's. Where the file system has no locks, the name check still applies.
bool Claim(int descriptor, const fs::path& name) {
  while (flock(descriptor, LOCK_EX) != 0 && errno == EINTR) {
  }
  return SameFile(descriptor, name);
}

// Owner and group first, where the process may (else the group alone): a change of owner clears
// the set-id bits.
bool TakeOver(int descriptor, const FileFacts& replaced) {
  if (fchown(descriptor, replaced.owner, replaced.group) != 0) {
    [[maybe_unused]] const bool groupKept =
        fchown(descriptor, static_cast<uid_t>(-1), replaced.group) == 0;
  }
  return fchmod(descriptor, static_cast<mode_t>(replaced.mode)) == 0;
}

bool Write(int descriptor, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(descriptor, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool SyncFile(int descriptor) { return fsync(descriptor) == 0; }

// Makes the names in the directory durable. Some file systems cannot sync a directory at all.
bool SyncDirectory(const fs::path& directory) {
  const int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool synced = fsync(descriptor) == 0 || errno == EINVAL;
  close(descriptor);
  return synced;
}

void Close(int descriptor) { close(descriptor); }

// Removed only when no save holds it: the lock is taken without waiting, and the name must still
// be the file that was checked. Write-only is for a file whose mode lets its owner only write.
void RemoveIfStale(const fs::path& name, Instant saveStart) {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  int descriptor = open(name.c_str(), O_RDONLY | kFlags);
  if (descriptor < 0 && errno == EACCES) descriptor = open(name.c_str(), O_WRONLY | kFlags);
  if (descriptor < 0) return;
  struct stat status {};
  const bool stale = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                     status.st_uid == geteuid() && Before(status.st_mtim, saveStart);
  if (stale && flock(descriptor, LOCK_EX | LOCK_NB) == 0 && SameFile(descriptor, name)) {
    unlink(name.c_str());
  }
  close(descriptor);
}

}  // namespace Os
#endif

// ---- the replacement

constexpr unsigned kNewFileMode = 0600;
constexpr unsigned kAttempts = 1000;

[[noreturn]] void Fail(const std::string& path, const std::string& problem) {
  throw ZDocFileError(path + ": " + problem);
}

// The file path names: a link is followed, also through a chain; one that ends nowhere or in a
// loop is refused rather than replaced by a regular file.
fs::path ResolveTarget(const std::string& path) {
  fs::path given = fs::u8path(path);
  std::error_code error;
  fs::path resolved = fs::canonical(given, error);
  if (!error) return resolved;
  if (fs::is_symlink(fs::symlink_status(given, error))) Fail(path, "the link points nowhere");
  return given;
}

// The name prefix of the temporary files of a target: "doc.xml.tmp-".
fs::path::string_type TemporaryPrefix(const fs::path& target) {
  fs::path prefix = target.filename();
  prefix += ".tmp-";
  return prefix.native();
}

// Exactly a name this code gives: the prefix and a number from 1 to kAttempts, no leading zero.
bool IsTemporaryName(const fs::path::string_type& name, const fs::path::string_type& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return false;
  const auto digits = name.substr(prefix.size());
  if (digits.size() > 4 || digits[0] == '0') return false;
  unsigned number = 0;
  for (const auto c : digits) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  return number <= kAttempts;
}

void RemoveStaleTemporaryFiles(const fs::path& target, Os::Instant saveStart) {
  const fs::path directory = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const fs::path::string_type prefix = TemporaryPrefix(target);
  std::error_code error;
  for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
       entry.increment(error)) {
    if (IsTemporaryName(entry->path().filename().native(), prefix)) {
      Os::RemoveIfStale(entry->path(), saveStart);
    }
  }
}

// The file a save writes first. It is removed unless it has replaced the target.
class TemporaryFile {
 public:
  TemporaryFile(const fs::path& target, const std::string& path, unsigned mode) : m_path(path) {
    for (unsigned n = 1; n <= kAttempts; ++n) {
      m_name = target;
      m_name += ".tmp-" + std::to_string(n);
      m_descriptor = Os::CreateExclusive(m_name, mode);
      if (m_descriptor >= 0 && Os::Claim(m_descriptor, m_name)) return;
      if (m_descriptor >= 0) {
        Release();  // the name is no longer ours to remove
        continue;
      }
      std::error_code ignored;
      if (!fs::exists(fs::symlink_status(m_name, ignored))) break;
    }
    Fail(m_path, "cannot create the temporary file");
  }
  ~TemporaryFile() {
    if (Os::kClosesBeforeRename) Release();
    std::error_code ignored;
    if (!m_replaced) fs::remove(m_name, ignored);
    Release();
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void TakeOver(const FileFacts& replaced) {
    if (!Os::TakeOver(m_descriptor, replaced)) {
      Fail(m_path, "cannot set the permissions of the temporary file");
    }
  }

  void Write(std::string_view content) {
    if (!Os::Write(m_descriptor, content.data(), content.size()) || !Os::SyncFile(m_descriptor)) {
      Fail(m_path, "cannot write the temporary file");
    }
  }

  // Replaces an existing file in one step, on Windows too.
  void Replace(const fs::path& target) {
    if (Os::kClosesBeforeRename) Release();
    std::error_code error;
    fs::rename(m_name, target, error);
    if (error) Fail(m_path, "cannot replace the file");
    m_replaced = true;
  }

 private:
  void Release() {
    if (m_descriptor >= 0) Os::Close(m_descriptor);
    m_descriptor = -1;
  }

  const std::string m_path;  // as given, for messages
  fs::path m_name;
  int m_descriptor = -1;
  bool m_replaced = false;
};

void SyncDirectoryOf(const fs::path& target, const std::string& path) {
  const fs::path directory = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  if (!Os::SyncDirectory(directory)) Fail(path, "cannot sync the folder");
}

}  // namespace

void ReplaceFileContent(const std::string& path, std::string_view content) {
  const Os::Instant saveStart = Os::Now();
  const fs::path target = ResolveTarget(path);
  RemoveStaleTemporaryFiles(target, saveStart);
  const FileFacts replaced = Os::Facts(target);
  TemporaryFile temporary(target, path, replaced.regular ? replaced.mode : kNewFileMode);
  if (replaced.regular) temporary.TakeOver(replaced);
  temporary.Write(content);
  SyncDirectoryOf(target, path);
  temporary.Replace(target);
  SyncDirectoryOf(target, path);
}

}  // namespace Pelka
