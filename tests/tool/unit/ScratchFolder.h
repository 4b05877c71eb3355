// A folder of its own per test, removed afterwards. Tests of several builds may run at once, so
// its name is random as well.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_path =
        std::filesystem::temp_directory_path() / (std::string("comparam-tool-") + test->name() +
                                                  "-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(m_path);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The path of a file in the folder, as the tool takes paths (UTF-8).
  std::string File(const std::string& name) const { return (m_path / name).u8string(); }
  // A copy of a sample document in the folder.
  std::string CopyOfSample(const std::string& name) const {
    std::filesystem::copy_file(std::filesystem::path(COMPARAM_EXAMPLES_DIR) / name, m_path / name);
    return File(name);
  }

 private:
  std::filesystem::path m_path;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(std::filesystem::u8path(path), std::ios::binary) << content;
}
