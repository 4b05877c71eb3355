// Test helpers for the conversion tests: fixture documents and compact views of a collection.
#pragma once

#include <comparam/ComParamCollection.h>

#include <pelka/EcuDocFile.h>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// A fixture document of tests/data/conversion.
inline std::unique_ptr<Pelka::ZEcuDoc> LoadConversionDoc(const std::string& fileName) {
  return Pelka::LoadEcuDoc(std::string(COMPARAM_TEST_DATA_DIR) + "/conversion/" + fileName);
}

// What a reader sees of one normalized parameter.
struct Normalized {
  std::wstring qualifier;
  std::wstring alias;
  std::wstring value;
  bool hasValidValue;

  bool operator==(const Normalized& other) const {
    return qualifier == other.qualifier && alias == other.alias && value == other.value &&
           hasValidValue == other.hasValidValue;
  }
};

inline void PrintTo(const Normalized& param, std::ostream* os) {
  *os << ::testing::PrintToString(param.qualifier) << " from "
      << ::testing::PrintToString(param.alias) << " = " << ::testing::PrintToString(param.value)
      << (param.hasValidValue ? "" : " (invalid)");
}

using NormalizedList = std::vector<Normalized>;

// What reading the interface UNIDENTIFIED of reading.xml logs: each parameter without a normalized
// counterpart, then the refusal of the second "Vendor".
inline const std::vector<std::wstring> kUnidentifiedReadingLog = {
    L"ComParamMan: Unidentified ComParam Vendor\n",
    L"ComParamMan: Unidentified ComParam p2client\n",
    L"ComParamMan: Unidentified ComParam FillerByteHandling\n",
    L"ComParamMan: Unidentified ComParam \n",
    L"ComParamMan: Unidentified ComParam Vendor\n",
    L"ComParamMan: Trying to insert already existent communication parameter "
    L"'Vendor' into ComParamCollection\n"};

// The collection's parameters in its order.
inline NormalizedList Summarize(const NComParamMan::ZComParamCollection& collection) {
  NormalizedList summary;
  for (auto it = collection.Begin(); it != collection.End(); ++it) {
    summary.push_back({it->GetQualifier(), it->GetAlias(), it->GetValue(), it->HasValidValue()});
  }
  return summary;
}

// Letters a to z in upper case, as the translator forms its upper-case aliases.
inline std::wstring AsciiUpper(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}
