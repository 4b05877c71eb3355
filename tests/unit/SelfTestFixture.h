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

// The report sections of the two built-in modules when every sub-test succeeds; a report starts
// with a line feed before its first section.
inline const std::wstring kParamModulePassed =
    L"'ZComParam Test' started\n"
    L"'ZComParam Test' finished\n"
    L"-------------------------------------------------------------\n"
    L"# failures   : 0\n"
    L"# errors     : 0\n"
    L"# successes  : 11\n";
inline const std::wstring kManagerModulePassed =
    L"'ZComParamManager Test' started\n"
    L"'ZComParamManager Test' finished\n"
    L"-------------------------------------------------------------\n"
    L"# failures   : 0\n"
    L"# errors     : 0\n"
    L"# successes  : 3\n";

inline constexpr const char* kSampleDocuments[] = {"uds-on-can.xml", "alias-spellings.xml",
                                                   "j1939-and-29bit.xml"};
