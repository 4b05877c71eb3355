#include "TargetLock.h"

#include "SafeText.h"
#include "ToolError.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <string_view>
#include <system_error>

#if defined(_WIN32)
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>
#else
#  include <fcntl.h>
#  include <sys/file.h>
#  include <sys/stat.h>
#  include <unistd.h>
#  include <cerrno>
#endif

namespace NComParamTool {
namespace {

void NoteWaiting(std::ostream& notes, const std::string& path) {
  notes << "comparam: " << OneLine(path) << ": waiting for another save of the file\n";
  notes.flush();
}

#if defined(_WIN32)

// Windows compares paths without regard to case; so does the name of the lock.
std::wstring MutexName(const std::filesystem::path& file) {
  std::error_code error;
  std::wstring path = std::filesystem::weakly_canonical(file, error).native();
  if (error) path = std::filesystem::absolute(file, error).native();
  CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  return L"Global\\comparam-save-" + std::to_wstring(std::hash<std::wstring>()(path));
}

#else

bool IsSameFile(int descriptor, const std::filesystem::path& file) {
  struct stat held {};
  struct stat current {};
  return fstat(descriptor, &held) == 0 && stat(file.c_str(), &current) == 0 &&
         held.st_dev == current.st_dev && held.st_ino == current.st_ino;
}

int LockWaiting(int descriptor, int operation) {
  int result = 0;
  do {
    result = flock(descriptor, operation);
  } while (result != 0 && errno == EINTR);
  return result;
}

#endif

}  // namespace

bool ZTargetLock::ZRecord::operator==(const ZRecord& other) const {
  return read == other.read && size == other.size && time == other.time &&
         contentHash == other.contentHash;
}

ZTargetLock::ZTargetLock(const std::string& path, std::ostream& notes)
    : m_path(path), m_file(std::filesystem::u8path(path)) {
  Lock(notes);
  m_record = RecordOf(m_file);
}

ZTargetLock::ZRecord ZTargetLock::RecordOf(const std::filesystem::path& file) {
  ZRecord record;
  std::error_code error;
  record.size = std::filesystem::file_size(file, error);
  if (error) return record;
  record.time = std::filesystem::last_write_time(file, error);
  std::ifstream in(file, std::ios::binary);
  if (error || !in) return record;
  const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  record.read = !in.bad();
  record.contentHash = std::hash<std::string_view>()(content);
  return record;
}

void ZTargetLock::CheckUnchanged() const {
  if (!(RecordOf(m_file) == m_record)) {
    throw ZToolError(ESUsage, m_path + ": changed on disk since it was read; nothing saved");
  }
}

#if defined(_WIN32)

void ZTargetLock::Lock(std::ostream& notes) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, MutexName(m_file).c_str());
  if (mutex == nullptr) return;
  DWORD waited = WaitForSingleObject(mutex, 0);
  if (waited == WAIT_TIMEOUT) {
    NoteWaiting(notes, m_path);
    waited = WaitForSingleObject(mutex, INFINITE);
  }
  // An abandoned mutex is held all the same: its last holder ended without releasing it.
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return;
  }
  m_mutex = mutex;
}

ZTargetLock::~ZTargetLock() {
  if (m_mutex == nullptr) return;
  ReleaseMutex(static_cast<HANDLE>(m_mutex));
  CloseHandle(static_cast<HANDLE>(m_mutex));
}

#else

// A save that held the lock has replaced the file meanwhile: then the new file is locked.
void ZTargetLock::Lock(std::ostream& notes) {
  for (;;) {
    const int descriptor = open(m_file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
      const bool held = errno == EWOULDBLOCK;
      if (held) NoteWaiting(notes, m_path);
      // Without locks (a file system that has none) the record alone guards the file.
      if (!held || LockWaiting(descriptor, LOCK_EX) != 0) {
        close(descriptor);
        return;
      }
    }
    if (IsSameFile(descriptor, m_file)) {
      m_descriptor = descriptor;
      return;
    }
    close(descriptor);
  }
}

ZTargetLock::~ZTargetLock() {
  if (m_descriptor >= 0) close(m_descriptor);
}

#endif

}  // namespace NComParamTool
