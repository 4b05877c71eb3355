// What loading or saving a document file refuses, as text, for tests that compare messages.
#pragma once

#include <pelka/Pelka.h>

#include <string>

namespace DocFileErrors {

// The message of the ZDocFileError the operation throws, or "no error".
template <class Operation>
std::string ErrorOf(Operation operation) {
  try {
    operation();
  } catch (const Pelka::ZDocFileError& error) {
    return error.what();
  }
  return "no error";
}

inline std::string LoadError(const std::string& path) {
  return ErrorOf([&] { Pelka::LoadEcuDoc(path); });
}

inline std::string SaveError(const Pelka::ZEcuDoc& doc, const std::string& path) {
  return ErrorOf([&] { Pelka::SaveEcuDoc(doc, path); });
}

}  // namespace DocFileErrors
