#include "OdxValues.h"

#include "NumberText.h"
#include "OdxWarnings.h"
#include "OdxXml.h"
#include "TextUtil.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace Pelka {

namespace {

using namespace OdxXml;

struct ZBaseType {
  std::string_view name;
  ZAttrManager::ZAttrType kind;
};

// The BASE-DATA-TYPEs of ODX 2.2.
constexpr ZBaseType kBaseTypes[] = {
    {"A_UINT32", ZAttrManager::ATUnsigned},       {"A_INT32", ZAttrManager::ATSigned},
    {"A_FLOAT32", ZAttrManager::ATFloat},         {"A_FLOAT64", ZAttrManager::ATFloat},
    {"A_ASCIISTRING", ZAttrManager::ATString},    {"A_UTF8STRING", ZAttrManager::ATString},
    {"A_UNICODE2STRING", ZAttrManager::ATString}, {"A_BYTEFIELD", ZAttrManager::ATString}};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

template <class T>
T ReadNumber(const std::string& text, const ZXmlSource& source, pugi::xml_node at,
             std::string_view comparam) {
  T value{};
  if (!ParseWhole(Trimmed(text), value)) {
    source.Fail(at, Quoted(text) + " is not " + NumberKind<T>::description + " (" +
                        std::string(comparam) + ")");
  }
  return value;
}

// The tags of a TEXTTABLE: id = LOWER-LIMIT. A table whose limits do not all fit a tag id (real
// subsets use 4294967295) numbers its tags by position instead: the value is the text.
std::vector<ZOdxValueType::ZTag> TextTable(const ZXmlSource& source, pugi::xml_node compuMethod) {
  std::vector<ZOdxValueType::ZTag> tags;
  std::vector<long long> limits;
  const pugi::xml_node scales = compuMethod.child("COMPU-INTERNAL-TO-PHYS").child("COMPU-SCALES");
  for (pugi::xml_node scale : scales.children("COMPU-SCALE")) {
    const pugi::xml_node limit = scale.child("LOWER-LIMIT");
    const pugi::xml_node text = scale.child("COMPU-CONST").child("VT");
    if (!limit || !text) {
      source.Fail(scale, "a text-table " + Element("COMPU-SCALE") + " needs " +
                             Element("LOWER-LIMIT") + " and " + Element("VT"));
    }
    const std::string limitText = TextContent(source, limit);
    long long value = 0;
    if (!ParseWhole(Trimmed(limitText), value)) {
      source.Fail(limit,
                  "LOWER-LIMIT " + Quoted(limitText) + " of a text table is not a whole number");
    }
    if (std::find(limits.begin(), limits.end(), value) != limits.end()) {
      source.Fail(limit, "LOWER-LIMIT " + limitText + " is in the text table twice");
    }
    limits.push_back(value);
    tags.push_back({0, TextContent(source, text)});
  }
  const bool limitsFit = std::all_of(limits.begin(), limits.end(), [](long long value) {
    return value >= 0 && value <= std::numeric_limits<ZEnumTagId>::max();
  });
  for (std::size_t i = 0; i < tags.size(); ++i) {
    tags[i].id = static_cast<ZEnumTagId>(limitsFit ? limits[i] : static_cast<long long>(i));
  }
  return tags;
}

// The id of the tag with that text, a new tag when the table has none.
ZEnumTagId TagOf(ZOdxValueType& type, const std::string& text, const ZXmlSource& source,
                 pugi::xml_node at, std::string_view comparam, ZOdxWarnings& warnings) {
  const auto tag =
      std::find_if(type.tags.begin(), type.tags.end(),
                   [&](const ZOdxValueType::ZTag& entry) { return entry.text == text; });
  if (tag != type.tags.end()) return tag->id;
  std::vector<bool> taken(std::size_t{std::numeric_limits<ZEnumTagId>::max()} + 1, false);
  for (const ZOdxValueType::ZTag& entry : type.tags) taken[entry.id] = true;
  const auto free = std::find(taken.begin(), taken.end(), false);
  if (free == taken.end())
    source.Fail(at, "the text table of " + std::string(comparam) + " is full");
  const auto id = static_cast<ZEnumTagId>(free - taken.begin());
  type.tags.push_back({id, text});
  warnings.Add(source, at,
               Quoted(text) + " is not a text of the text table of " + std::string(comparam) +
                   "; it is read as a value of its own");
  return id;
}

}  // namespace

std::optional<ZOdxValueType> ValueTypeOf(const ZOdxIndex& index, const ZOdxIndex::ZDocument& subset,
                                         pugi::xml_node comparam, ZOdxWarnings& warnings) {
  const ZXmlSource& source = *subset.pSource;
  const pugi::xml_node link = comparam.child(kDataObjectPropRef);
  if (!link) {
    source.Fail(comparam,
                "missing " + Element(kDataObjectPropRef) + " in " + Element(comparam.name()));
  }
  const ZOdxIndex::ZTarget target = index.Resolve(subset, link, {kDataObjectProp});
  if (!target.element) {
    warnings.NoteMissing(target.missingDocument, source, link);
    return std::nullopt;
  }
  const ZXmlSource& dopSource = *target.pDocument->pSource;
  const pugi::xml_node dop = target.element;
  const pugi::xml_node compuMethod = dop.child("COMPU-METHOD");
  if (std::string_view(compuMethod.child_value("CATEGORY")) == "TEXTTABLE") {
    return ZOdxValueType{ZAttrManager::ATEnum, TextTable(dopSource, compuMethod)};
  }
  const pugi::xml_node physicalType = dop.child("PHYSICAL-TYPE");
  if (!physicalType) {
    dopSource.Fail(dop, "missing " + Element("PHYSICAL-TYPE") + " in " + Element(kDataObjectProp));
  }
  const std::string_view baseType = RequiredAttribute(dopSource, physicalType, "BASE-DATA-TYPE");
  const auto known = std::find_if(std::begin(kBaseTypes), std::end(kBaseTypes),
                                  [&](const ZBaseType& type) { return type.name == baseType; });
  if (known == std::end(kBaseTypes)) {
    dopSource.Fail(physicalType, "unknown BASE-DATA-TYPE " + Quoted(baseType));
  }
  return ZOdxValueType{known->kind, {}};
}

ZOdxTypedValue ReadValue(ZOdxValueType& type, const std::string& text, const ZXmlSource& source,
                         pugi::xml_node at, std::string_view comparam, ZOdxWarnings& warnings) {
  switch (type.kind) {
    case ZAttrManager::ATUnsigned: return ReadNumber<unsigned>(text, source, at, comparam);
    case ZAttrManager::ATSigned: return ReadNumber<int>(text, source, at, comparam);
    case ZAttrManager::ATFloat: return ReadNumber<double>(text, source, at, comparam);
    case ZAttrManager::ATEnum: return TagOf(type, text, source, at, comparam, warnings);
    case ZAttrManager::ATText:
    case ZAttrManager::ATString: break;
  }
  return FromUtf8(text);
}

}  // namespace Pelka
