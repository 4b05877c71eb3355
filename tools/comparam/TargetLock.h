// The file `set --in-place` replaces, held from before it is read until it has been replaced.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

namespace NComParamTool {

// Two guards against a lost update. An advisory lock makes a second comparam save of the same
// file wait until the first has replaced it, then work on the new file: flock on the file where
// a file may be replaced while it is open; on Windows, which refuses to replace an open file, a
// named mutex of the file's full path. A record of the file's size, time and content, taken once
// the lock is held, shows a change that anything else made meanwhile.
class ZTargetLock {
 public:
  // Waits for the lock on the file at path (UTF-8), saying so on notes when it has to wait. A
  // file that cannot be opened is left to the reading to report.
  ZTargetLock(const std::string& path, std::ostream& notes);
  ~ZTargetLock();
  ZTargetLock(const ZTargetLock&) = delete;
  ZTargetLock& operator=(const ZTargetLock&) = delete;

  // Throws ZToolError (usage) "FILE: changed on disk since it was read; nothing saved" when the
  // file differs from the record.
  void CheckUnchanged() const;

 private:
  struct ZRecord {
    bool read = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time;
    std::size_t contentHash = 0;
    bool operator==(const ZRecord& other) const;
  };

  static ZRecord RecordOf(const std::filesystem::path& file);
  void Lock(std::ostream& notes);

  std::string m_path;  // as given, for messages
  std::filesystem::path m_file;
  ZRecord m_record;
#if defined(_WIN32)
  void* m_mutex = nullptr;
#else
  int m_descriptor = -1;
#endif
};

}  // namespace NComParamTool
