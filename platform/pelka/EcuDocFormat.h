// Names shared by the document file reader and writer.
#pragma once

#include "pelka/Attribute.h"

namespace Pelka {
namespace DocFormat {

// Element and XML attribute names of the format.
constexpr const char* kRoot = "ecudoc";
constexpr const char* kLanguages = "languages";
constexpr const char* kLanguage = "language";
constexpr const char* kAttributes = "attributes";
constexpr const char* kAttribute = "attribute";
constexpr const char* kName = "name";
constexpr const char* kDescription = "description";
constexpr const char* kValue = "value";
constexpr const char* kOverride = "override";
constexpr const char* kTag = "tag";
constexpr const char* kText = "text";
constexpr const char* kMember = "member";
constexpr const char* kId = "id";
constexpr const char* kKind = "kind";
constexpr const char* kQualifier = "qualifier";
constexpr const char* kCategory = "category";
constexpr const char* kInherited = "inherited";
constexpr const char* kModifiable = "modifiable";
constexpr const char* kLang = "lang";
constexpr const char* kDefined = "defined";
constexpr const char* kInterface = "interface";
constexpr const char* kTrue = "true";
constexpr const char* kFalse = "false";

// The kind's name in the file ("unsigned", "signed", "float", "text", "enum", "string").
const char* KindName(ZAttrManager::ZAttrType type) noexcept;
// The kind with that name; false when there is none.
bool KindFromName(const char* name, ZAttrManager::ZAttrType& type) noexcept;

}  // namespace DocFormat
}  // namespace Pelka
