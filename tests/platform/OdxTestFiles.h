// The ODX files the platform tests read: the hand-written fixtures, and the real data beside the
// project (../shared/realworld), which CI always has.
#pragma once

#include <pelka/OdxFile.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace OdxTestFiles {

inline const std::string kFixtures = std::string(PLATFORM_TEST_DATA_DIR) + "/odx";
inline const std::string kRealWorld = PLATFORM_REALWORLD_DIR;
inline const std::string kSomersault = kRealWorld + "/odx/somersault";

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string InFolder(const std::string& folder, const std::string& name) {
  std::string path = folder;
  path += '/';
  path += name;
  return path;
}

// The files of a folder as sources named by their file name, so messages read "NAME:LINE".
inline std::vector<Pelka::ZOdxSource> Sources(const std::string& folder,
                                              const std::vector<std::string>& names) {
  std::vector<Pelka::ZOdxSource> sources;
  sources.reserve(names.size());
  for (const std::string& name : names) {
    sources.push_back({name, "", ReadBytes(InFolder(folder, name))});
  }
  return sources;
}

inline bool InCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string(ci) == "true";
}

}  // namespace OdxTestFiles

// Skips a test that needs the real data when it is missing, except in CI, where it fails.
#define ODX_REQUIRE_REAL_DATA()                                                               \
  do {                                                                                        \
    if (!std::filesystem::is_directory(std::filesystem::u8path(OdxTestFiles::kSomersault))) { \
      if (OdxTestFiles::InCi()) FAIL() << "no real data at " << OdxTestFiles::kRealWorld;     \
      GTEST_SKIP() << "no real data at " << OdxTestFiles::kRealWorld;                         \
    }                                                                                         \
  } while (false)
