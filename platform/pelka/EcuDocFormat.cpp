#include "EcuDocFormat.h"

#include "pelka/EcuDocFile.h"

#include <cstring>
#include <iterator>

namespace Pelka {

ZDocFileError::ZDocFileError(const std::string& message) : std::runtime_error(message) {}

ZDocFileError::~ZDocFileError() = default;

namespace DocFormat {

namespace {

struct KindEntry {
  ZAttrManager::ZAttrType type;
  const char* name;
};

constexpr KindEntry kKinds[] = {
    {ZAttrManager::ATUnsigned, "unsigned"}, {ZAttrManager::ATSigned, "signed"},
    {ZAttrManager::ATFloat, "float"},       {ZAttrManager::ATText, "text"},
    {ZAttrManager::ATEnum, "enum"},         {ZAttrManager::ATString, "string"}};

}  // namespace

const char* KindName(ZAttrManager::ZAttrType type) noexcept {
  for (const KindEntry& kind : kKinds) {
    if (kind.type == type) return kind.name;
  }
  return "";
}

bool KindFromName(const char* name, ZAttrManager::ZAttrType& type) noexcept {
  for (const KindEntry& kind : kKinds) {
    if (std::strcmp(kind.name, name) == 0) {
      type = kind.type;
      return true;
    }
  }
  return false;
}

}  // namespace DocFormat
}  // namespace Pelka
