// Generated ECU documents of any size for the benchmarks and the peak-memory tool.
#pragma once

#include <pelka/EcuDoc.h>

#include <cstddef>
#include <memory>
#include <string>

namespace NComParamBench {

// Communication parameters of every generated interface: the 37 normalized ones under a mix of
// document aliases, and three that the library does not identify.
inline constexpr std::size_t kParametersPerInterface = 40;

// "CAN_0000", "CAN_0001", ...: the qualifier of the interface at that index.
std::wstring InterfaceQualifier(std::size_t index);

// A document with two languages and interfaceCount interfaces, each with its own
// kParametersPerInterface attributes: unsigned, signed, enumeration and string kinds, names in
// both languages, and an override at the ECU for every third attribute. The same count always
// gives the same document; the alias spelling and the values vary from interface to interface.
std::unique_ptr<Pelka::ZEcuDoc> GenerateDocument(std::size_t interfaceCount);

}  // namespace NComParamBench
