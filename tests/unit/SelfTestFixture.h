// Documents the self-test tests run on: the fixtures of tests/data/selftest and the samples.
#pragma once

#include <pelka/EcuDocFile.h>

#include <memory>
#include <string>

inline std::unique_ptr<Pelka::ZEcuDoc> LoadFixture(const char* name) {
  return Pelka::LoadEcuDoc(std::string(COMPARAM_TEST_DATA_DIR) + "/selftest/" + name);
}

inline std::unique_ptr<Pelka::ZEcuDoc> LoadSample(const char* name) {
  return Pelka::LoadEcuDoc(std::string(COMPARAM_EXAMPLES_DIR) + "/" + name);
}

inline constexpr const char* kSampleDocuments[] = {"uds-on-can.xml", "alias-spellings.xml",
                                                   "j1939-and-29bit.xml"};
