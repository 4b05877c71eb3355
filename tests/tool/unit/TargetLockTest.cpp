// Unit tests for tools/comparam/TargetLock.cpp
#include "TargetLock.h"

#include "ScratchFolder.h"
#include "ToolError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

using NComParamTool::ZTargetLock;
using NComParamTool::ZToolError;

namespace {

void ExpectChangedOnDisk(const ZTargetLock& lock, const std::string& path) {
  try {
    lock.CheckUnchanged();
    ADD_FAILURE() << "no refusal";
  } catch (const ZToolError& error) {
    EXPECT_EQ(error.GetStatus(), NComParamTool::ESUsage);
    EXPECT_EQ(std::string(error.what()),
              path + ": changed on disk since it was read; nothing saved");
  }
}

}  // namespace

TEST(TargetLock, AnUnchangedFilePasses) {
  ScratchFolder folder;
  const std::string path = folder.File("doc.xml");
  WriteFile(path, "<ecudoc/>");
  std::ostringstream notes;
  const ZTargetLock lock(path, notes);
  EXPECT_NO_THROW(lock.CheckUnchanged());
  EXPECT_EQ(notes.str(), "");
}

// Same size and a time set back: the content still tells.
TEST(TargetLock, EveryKindOfChangeIsFound) {
  ScratchFolder folder;
  const std::string path = folder.File("doc.xml");
  const auto file = std::filesystem::u8path(path);
  const struct {
    const char* what;
    void (*change)(const std::filesystem::path& file, const std::string& path);
  } changes[] = {
      {"content of the same size, same time",
       [](const std::filesystem::path& file, const std::string& path) {
         const auto time = std::filesystem::last_write_time(file);
         WriteFile(path, "<ecudoc/>");
         std::filesystem::last_write_time(file, time);
       }},
      {"size", [](const std::filesystem::path&,
                  const std::string& path) { WriteFile(path, "<ecudoc></ecudoc>"); }},
      {"time only",
       [](const std::filesystem::path& file, const std::string&) {
         std::filesystem::last_write_time(
             file, std::filesystem::last_write_time(file) - std::chrono::hours(1));
       }},
      {"removed", [](const std::filesystem::path& file,
                     const std::string&) { std::filesystem::remove(file); }},
  };
  for (const auto& change : changes) {
    SCOPED_TRACE(change.what);
    WriteFile(path, "<ecudoc />");
    std::ostringstream notes;
    const ZTargetLock lock(path, notes);
    change.change(file, path);
    ExpectChangedOnDisk(lock, path);
  }
}

// The second lock of a file waits, says so, and gets the file only once the first is gone.
TEST(TargetLock, ASecondLockWaitsForTheFirst) {
  ScratchFolder folder;
  const std::string path = folder.File("doc.xml");
  WriteFile(path, "<ecudoc/>");
  std::atomic<bool> held{false};
  std::atomic<bool> released{false};
  std::thread first([&] {
    std::ostringstream notes;
    ZTargetLock lock(path, notes);
    held = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    released = true;
  });
  while (!held) std::this_thread::yield();
  std::ostringstream notes;
  const ZTargetLock second(path, notes);
  EXPECT_TRUE(released);
  first.join();
  EXPECT_EQ(notes.str(), "comparam: " + path + ": waiting for another save of the file\n");
}

TEST(TargetLock, AMissingFileIsLeftToTheReading) {
  ScratchFolder folder;
  std::ostringstream notes;
  const ZTargetLock lock(folder.File("missing.xml"), notes);
  EXPECT_NO_THROW(lock.CheckUnchanged());
}
