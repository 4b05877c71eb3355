// Reading a document in the file format (docs/document-format.md).
#include "EcuDocReader.h"

#include "EcuDocFormat.h"
#include "NumberText.h"
#include "TextUtil.h"
#include "XmlPieces.h"
#include "XmlSource.h"
#include "pelka/AttributeKinds.h"
#include "pelka/EcuDocFile.h"
#include "pelka/ModelError.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Pelka {

namespace {

namespace F = DocFormat;

// Texts are taken exactly as written: no line-end folding, and blanks are kept, also where a
// comment splits a text.
constexpr unsigned kParseFlags = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata;

bool IsBlank(const char* text) {
  return std::all_of(text, text + std::strlen(text),
                     [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

bool IsText(pugi::xml_node node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// True when the node (element or XML attribute) has one of the names.
template <class TNode>
bool IsNamed(TNode node, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(),
                     [&](const char* name) { return std::strcmp(name, node.name()) == 0; });
}

std::string Element(const char* name) { return std::string("<") + name + ">"; }

std::wstring Wide(pugi::xml_attribute attribute) { return FromUtf8(attribute.value()); }

// Names and tag texts repeat from interface to interface and are kept once; descriptions and
// values mostly name their own interface.
enum ZTextUse { TUOwn, TURepeated };

// A value of one kind goes into its attribute class's SetValue.
template <class TTarget, class TValue>
void Assign(TTarget& target, const TValue& value) {
  target.SetValue(value);
}
template <class TTarget>
void Assign(TTarget& target, const std::wstring& value) {
  target.SetValue(value.c_str());
}

// A membership, resolved once every attribute is known.
struct PendingMember {
  std::size_t line;
  std::wstring interfaceQualifier;
  const ZDefaultAttr* pAttribute;
};

// The languages already given a text in one translatable, to refuse a second text. A document
// has few languages: a search of a short list is faster than a set and allocates nothing for
// the first few.
class SeenLanguages {
 public:
  // False when the language was seen before.
  bool Insert(ZLanguageId language) {
    const auto first = m_first.begin();
    const auto firstEnd = first + std::min(m_count, m_first.size());
    if (std::find(first, firstEnd, language) != firstEnd ||
        std::find(m_more.begin(), m_more.end(), language) != m_more.end()) {
      return false;
    }
    if (m_count < m_first.size()) {
      m_first[m_count] = language;
    } else {
      m_more.push_back(language);
    }
    ++m_count;
    return true;
  }

 private:
  std::array<ZLanguageId, 4> m_first{};
  std::size_t m_count = 0;
  std::vector<ZLanguageId> m_more;
};

ZXmlSource Parsed(std::string text, const std::string& sourceName) {
  return ZXmlSource(std::move(text), sourceName, kParseFlags, ZXmlSource::OPParseInPlace);
}

class DocumentReader {
 public:
  explicit DocumentReader(std::string sourceName)
      : m_sourceName(std::move(sourceName)), m_pDoc(new ZEcuDoc) {}

  // Reads the languages and attributes of the whole document or of one piece of it.
  void Read(const ZXmlSource& source) {
    m_pSource = &source;
    const pugi::xml_node root = source.Xml().document_element();
    if (std::strcmp(root.name(), F::kRoot) != 0) FailUnknownElement(root);
    CheckXmlAttributes(root, {});
    CheckChildren(root, {F::kLanguages, F::kAttributes});
    for (pugi::xml_node languages : root.children(F::kLanguages)) ReadLanguages(languages);
    for (pugi::xml_node attributes : root.children(F::kAttributes)) ReadAttributes(attributes);
    m_pSource = nullptr;
  }

  // The document, once every attribute has been read.
  std::unique_ptr<ZEcuDoc> Finish() {
    for (const PendingMember& member : m_members) {
      try {
        m_pDoc->AddInterfaceMember(member.interfaceQualifier.c_str(), *member.pAttribute);
      } catch (const ZModelError& error) {
        FailAtLine(m_sourceName, member.line, error.what());
      }
    }
    return std::move(m_pDoc);
  }

 private:
  // ---- failures

  [[noreturn]] void Fail(pugi::xml_node node, const std::string& problem) const {
    m_pSource->Fail(node, problem);
  }

  [[noreturn]] void FailUnknownElement(pugi::xml_node node) const {
    Fail(node, "unknown element " + Element(node.name()));
  }

  // Runs a model call; a refusal becomes a file error at the node's line.
  template <class TAction>
  void Guarded(pugi::xml_node node, TAction action) const {
    try {
      action();
    } catch (const ZModelError& error) {
      Fail(node, error.what());
    }
  }

  // ---- structure

  // Runs for every element of a document, so it allocates nothing unless it fails. The source
  // has refused an XML attribute given twice.
  void CheckXmlAttributes(pugi::xml_node node, std::initializer_list<const char*> allowed) const {
    for (pugi::xml_attribute attribute : node.attributes()) {
      if (!IsNamed(attribute, allowed)) {
        Fail(node, "unknown XML attribute \"" + std::string(attribute.name()) + "\" on " +
                       Element(node.name()));
      }
    }
  }

  // Elements of the allowed names and blanks only.
  void CheckChildren(pugi::xml_node node, std::initializer_list<const char*> allowed) const {
    for (pugi::xml_node child : node.children()) {
      if (child.type() == pugi::node_element && !IsNamed(child, allowed)) FailUnknownElement(child);
      CheckBlank(node, child);
    }
  }

  void CheckBlank(pugi::xml_node parent, pugi::xml_node child) const {
    if (IsText(child) && !IsBlank(child.value())) {
      Fail(child, "unexpected text in " + Element(parent.name()));
    }
  }

  pugi::xml_attribute Required(pugi::xml_node node, const char* name) const {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) {
      Fail(node, "missing XML attribute \"" + std::string(name) + "\" on " + Element(node.name()));
    }
    return attribute;
  }

  // The text content of an element that holds text only: mostly one text, where it lies; a
  // text split by comments is joined in joined.
  std::string_view TextContent(pugi::xml_node node, std::string& joined) const {
    std::string_view only;
    std::size_t texts = 0;
    for (pugi::xml_node child : node.children()) {
      if (child.type() == pugi::node_element) FailUnknownElement(child);
      if (!IsText(child)) continue;
      if (++texts == 1) {
        only = child.value();
        continue;
      }
      if (texts == 2) joined = only;
      joined += child.value();
    }
    return texts > 1 ? std::string_view(joined) : only;
  }

  // The text of a name or a tag, kept once however often the document repeats it; found by
  // its UTF-8, which for a short name needs no allocation.
  std::shared_ptr<const std::wstring> Repeated(std::string_view utf8) {
    std::string key(utf8);
    const auto found = m_repeatedTexts.find(key);
    if (found != m_repeatedTexts.end()) return found->second;
    auto shared = std::make_shared<const std::wstring>(FromUtf8(utf8));
    m_repeatedTexts.emplace(std::move(key), shared);
    return shared;
  }

  std::shared_ptr<const std::wstring> Shared(std::string_view utf8, ZTextUse use) {
    return use == TURepeated ? Repeated(utf8)
                             : std::make_shared<const std::wstring>(FromUtf8(utf8));
  }

  template <class T>
  T Number(pugi::xml_node node, const char* text) const {
    T value{};
    if (!ParseWhole(text, value)) {
      Fail(node, "\"" + std::string(text) + "\" is not " + NumberKind<T>::description);
    }
    return value;
  }

  bool Flag(pugi::xml_node node, const char* name, bool absent) const {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) return absent;
    if (std::strcmp(attribute.value(), F::kTrue) == 0) return true;
    if (std::strcmp(attribute.value(), F::kFalse) == 0) return false;
    Fail(node, "\"" + std::string(attribute.value()) + "\" is not true or false");
  }

  // ---- languages

  void ReadLanguages(pugi::xml_node languages) {
    CheckXmlAttributes(languages, {});
    CheckChildren(languages, {F::kLanguage});
    for (pugi::xml_node language : languages.children(F::kLanguage)) ReadLanguage(language);
  }

  void ReadLanguage(pugi::xml_node node) {
    CheckXmlAttributes(node, {F::kId, F::kName});
    CheckChildren(node, {});
    const ZLanguageId id = Number<unsigned>(node, Required(node, F::kId).value());
    const std::wstring name = Wide(node.attribute(F::kName));
    // The default language exists from the start; its element only names it, once.
    if (id == ZLanguage::defaultLangId && !m_defaultLanguageNamed) {
      m_defaultLanguageNamed = true;
      m_pDoc->Languages().Find(id)->Get()->SetName(name.c_str());
      return;
    }
    Guarded(node, [&] { m_pDoc->AddLanguage(id, name.c_str()); });
  }

  // ---- attributes

  void ReadAttributes(pugi::xml_node attributes) {
    CheckXmlAttributes(attributes, {});
    CheckChildren(attributes, {F::kAttribute});
    for (pugi::xml_node attribute : attributes.children(F::kAttribute)) ReadAttribute(attribute);
  }

  void ReadAttribute(pugi::xml_node node) {
    CheckXmlAttributes(node, {F::kKind, F::kQualifier, F::kCategory, F::kInherited, F::kModifiable,
                              F::kName, F::kDescription, F::kValue, F::kOverride});
    ZAttrManager::ZAttrType type;
    const char* kind = Required(node, F::kKind).value();
    if (!F::KindFromName(kind, type)) Fail(node, "unknown kind \"" + std::string(kind) + "\"");
    const std::wstring qualifier = Wide(Required(node, F::kQualifier));
    const bool inherited = Flag(node, F::kInherited, false);
    const ZAttrPlacement placement = inherited ? APInheritedOnly : APHeldByEcu;
    ZDefaultAttr* pAttribute = nullptr;
    Guarded(node, [&] {
      pAttribute = &m_pDoc->AddAttribute(type, qualifier.c_str(),
                                         Wide(node.attribute(F::kCategory)).c_str(), placement);
    });
    pAttribute->SetMayBeModified(Flag(node, F::kModifiable, true));
    AttributeTexts texts;
    ReadShortText(node, F::kName, pAttribute->GetNames(), texts.names, TURepeated);
    ReadShortText(node, F::kDescription, pAttribute->GetDescription(), texts.description, TUOwn);
    ReadChildren(node, *pAttribute, type, texts);
    ReadValues(node, *pAttribute, type, texts);
  }

  struct AttributeTexts {
    SeenLanguages names;
    SeenLanguages description;
    SeenLanguages value;
    SeenLanguages override;
  };

  void ReadChildren(pugi::xml_node node, ZDefaultAttr& attribute, ZAttrManager::ZAttrType type,
                    AttributeTexts& texts) {
    for (pugi::xml_node child : node.children()) {
      const std::string name = child.name();
      if (child.type() != pugi::node_element) {
        CheckBlank(node, child);
      } else if (name == F::kName) {
        ReadTextElement(child, attribute.GetNames(), texts.names, TURepeated);
      } else if (name == F::kDescription) {
        ReadTextElement(child, attribute.GetDescription(), texts.description, TUOwn);
      } else if (name == F::kMember) {
        ReadMember(child, attribute);
      } else if (name == F::kTag && type == ZAttrManager::ATEnum) {
        ReadTag(child, static_cast<ZEnumDefaultAttr&>(attribute).EnumTagTable());
      } else if (name == F::kValue && type == ZAttrManager::ATText) {
        ReadTextElement(child, static_cast<ZTextDefaultAttr&>(attribute).GetValue(), texts.value,
                        TUOwn);
      } else if (name == F::kOverride && type == ZAttrManager::ATText) {
        ReadTextElement(child, TextOverride(attribute).GetValue(), texts.override, TUOwn);
      } else {
        FailUnknownElement(child);
      }
    }
  }

  void ReadMember(pugi::xml_node node, const ZDefaultAttr& attribute) {
    CheckXmlAttributes(node, {F::kInterface});
    CheckChildren(node, {});
    m_members.push_back(
        {m_pSource->LineAt(node.offset_debug()), Wide(Required(node, F::kInterface)), &attribute});
  }

  void ReadTag(pugi::xml_node node, ZEnumTagTable& table) {
    CheckXmlAttributes(node, {F::kId, F::kText});
    CheckChildren(node, {F::kText});
    const ZEnumTagId id = Number<ZEnumTagId>(node, Required(node, F::kId).value());
    ZEnumTagSymbol* pSymbol = nullptr;
    Guarded(node, [&] { pSymbol = &table.AddNewTag(id); });
    SeenLanguages seen;
    if (const pugi::xml_attribute text = node.attribute(F::kText)) {
      const std::shared_ptr<const std::wstring> oneText = Repeated(text.value());
      const ZLanguageSet& languages = m_pDoc->Languages();
      for (auto language = languages.Begin(); language != languages.End(); ++language) {
        SetEntry(node, pSymbol->GetTagText(), seen, **language, oneText, true);
      }
    }
    for (pugi::xml_node text : node.children(F::kText)) {
      ReadTextElement(text, pSymbol->GetTagText(), seen, TURepeated);
    }
  }

  // value="..." and override="..." of every kind; for multilingual text the short forms.
  void ReadValues(pugi::xml_node node, ZDefaultAttr& attribute, ZAttrManager::ZAttrType type,
                  AttributeTexts& texts) {
    switch (type) {
      case ZAttrManager::ATUnsigned:
        StoreValues<ZUnsignedDefaultAttr>(
            node, attribute, [&](const char* text) { return Number<unsigned>(node, text); });
        break;
      case ZAttrManager::ATSigned:
        StoreValues<ZSignedDefaultAttr>(node, attribute,
                                        [&](const char* text) { return Number<int>(node, text); });
        break;
      case ZAttrManager::ATFloat:
        StoreValues<ZFloatDefaultAttr>(
            node, attribute, [&](const char* text) { return Number<double>(node, text); });
        break;
      case ZAttrManager::ATEnum: {
        const ZEnumTagTable& table = static_cast<ZEnumDefaultAttr&>(attribute).EnumTagTable();
        StoreValues<ZEnumDefaultAttr>(
            node, attribute, [&](const char* text) { return EnumValue(node, table, text); });
        break;
      }
      case ZAttrManager::ATString:
        StoreValues<ZCommonStringDefaultAttr>(node, attribute,
                                              [](const char* text) { return FromUtf8(text); });
        break;
      case ZAttrManager::ATText:
        ReadShortText(node, F::kValue, static_cast<ZTextDefaultAttr&>(attribute).GetValue(),
                      texts.value, TUOwn);
        if (node.attribute(F::kOverride)) {
          ReadShortText(node, F::kOverride, TextOverride(attribute).GetValue(), texts.override,
                        TUOwn);
        }
        break;
    }
  }

  template <class TDefault, class TParse>
  void StoreValues(pugi::xml_node node, ZDefaultAttr& attribute, TParse parse) {
    if (const pugi::xml_attribute value = node.attribute(F::kValue)) {
      Assign(static_cast<TDefault&>(attribute), parse(value.value()));
    }
    if (const pugi::xml_attribute value = node.attribute(F::kOverride)) {
      using TOverride = typename TDefault::OverrideType;
      ZOverrideAttr& added = attribute.CreateOverride(m_pDoc->GetEcu());
      Assign(static_cast<TOverride&>(added), parse(value.value()));
    }
  }

  // A tag id of the table, or empty for "no tag" (0 while the table has no tag 0).
  ZEnumTagId EnumValue(pugi::xml_node node, const ZEnumTagTable& table, const char* text) const {
    if (*text == '\0') {
      if (table.Find(0) != table.End()) Fail(node, "empty enumeration value, but tag 0 exists");
      return 0;
    }
    const ZEnumTagId id = Number<ZEnumTagId>(node, text);
    if (table.Find(id) == table.End()) {
      Fail(node, "enumeration value " + std::to_string(id) + " names no tag");
    }
    return id;
  }

  // The text override of the attribute; one the file creates holds exactly the texts it lists.
  ZTextOverrideAttr& TextOverride(ZDefaultAttr& attribute) {
    ZOverrideAttrSet& overrides = m_pDoc->GetEcu().OverriddenAttributes();
    const ZOverrideAttrSet::Iterator existing = overrides.Find(attribute);
    if (existing != overrides.End()) return static_cast<ZTextOverrideAttr&>(*existing);
    auto& added = static_cast<ZTextOverrideAttr&>(attribute.CreateOverride(m_pDoc->GetEcu()));
    const ZLanguageSet& languages = m_pDoc->Languages();
    for (auto language = languages.Begin(); language != languages.End(); ++language) {
      added.GetValue().SetText(L"", **language, false);
      added.GetValue().SetDefined(false, **language);
    }
    return added;
  }

  // ---- texts

  // name="..." and the like: the default language's text, defined.
  void ReadShortText(pugi::xml_node node, const char* name, ZTranslatable& text,
                     SeenLanguages& seen, ZTextUse use) {
    if (const pugi::xml_attribute attribute = node.attribute(name)) {
      SetEntry(node, text, seen, ZLanguage::defaultLangId, Shared(attribute.value(), use), true);
    }
  }

  // <name lang="1031" defined="false">text</name> and the like.
  void ReadTextElement(pugi::xml_node node, ZTranslatable& text, SeenLanguages& seen,
                       ZTextUse use) {
    CheckXmlAttributes(node, {F::kLang, F::kDefined});
    const pugi::xml_attribute lang = node.attribute(F::kLang);
    const ZLanguageId language =
        lang ? Number<unsigned>(node, lang.value()) : ZLanguage::defaultLangId;
    std::string joined;
    SetEntry(node, text, seen, language, Shared(TextContent(node, joined), use),
             Flag(node, F::kDefined, true));
  }

  void SetEntry(pugi::xml_node node, ZTranslatable& text, SeenLanguages& seen, ZLanguageId language,
                std::shared_ptr<const std::wstring> value, bool defined) {
    if (!seen.Insert(language)) {
      Fail(node, "second text for language " + std::to_string(language));
    }
    Guarded(node, [&] {
      text.SetSharedText(std::move(value), language, false);
      text.SetDefined(defined, language);
    });
  }

  std::string m_sourceName;
  const ZXmlSource* m_pSource = nullptr;
  std::unique_ptr<ZEcuDoc> m_pDoc;
  bool m_defaultLanguageNamed = false;
  std::vector<PendingMember> m_members;
  std::unordered_map<std::string, std::shared_ptr<const std::wstring>> m_repeatedTexts;
};

// A document is read in pieces cut between its attributes, whose parse trees are small, into
// the same document the whole text gives. What pieces cannot stand for (another encoding,
// languages after the attributes) and every refusal go to the reading of the whole text,
// whose messages are the ones to give.
constexpr ZXmlCut kAttributeCut{"</attribute>", "<ecudoc><attributes>", "</attributes></ecudoc>"};
constexpr std::size_t kPieceSize = std::size_t{256} * 1024;

struct NotInPieces {};

std::unique_ptr<ZEcuDoc> ReadWhole(std::string bytes, const std::string& sourceName) {
  DocumentReader reader(sourceName);
  reader.Read(Parsed(std::move(bytes), sourceName));
  return reader.Finish();
}

// Null when the pieces refused the text.
std::unique_ptr<ZEcuDoc> ReadInPieces(const ZByteSupply& supply, const std::string& sourceName) {
  try {
    DocumentReader reader(sourceName);
    bool first = true;
    ForEachXmlPiece(supply, kAttributeCut, kPieceSize, [&](std::string piece) {
      if (first && !IsUtf8Source(piece)) throw NotInPieces();
      const ZXmlSource source = Parsed(std::move(piece), sourceName);
      // The whole text's languages are known before its first attribute is read.
      if (!first && source.Xml().document_element().child(F::kLanguages)) throw NotInPieces();
      first = false;
      reader.Read(source);
    });
    return reader.Finish();
  } catch (const ZDocFileError&) {
  } catch (const ZModelError&) {
  } catch (const NotInPieces&) {
  }
  return nullptr;
}

ZByteSupply ViewSupply(std::string_view bytes) {
  return [bytes](char* buffer, std::size_t capacity) mutable {
    const std::size_t count = bytes.copy(buffer, capacity);
    bytes.remove_prefix(count);
    return count;
  };
}

}  // namespace

std::unique_ptr<ZEcuDoc> ReadEcuDocText(const ZByteSupply& supply, const std::string& sourceName,
                                        const std::function<std::string()>& wholeText) {
  std::unique_ptr<ZEcuDoc> pDoc = ReadInPieces(supply, sourceName);
  return pDoc ? std::move(pDoc) : ReadWhole(wholeText(), sourceName);
}

std::unique_ptr<ZEcuDoc> ParseEcuDoc(const char* data, std::size_t size,
                                     const std::string& sourceName) {
  const std::string_view bytes(data, size);
  return ReadEcuDocText(ViewSupply(bytes), sourceName, [&] { return std::string(bytes); });
}

}  // namespace Pelka
