// Writing a document in the file format (docs/document-format.md).
#include "EcuDocFormat.h"
#include "FileReplace.h"
#include "OdxSources.h"
#include "OdxWriter.h"
#include "TextUtil.h"
#include "pelka/AttrUtilities.h"
#include "pelka/AttributeKinds.h"
#include "pelka/EcuDocFile.h"

#include <Util/IntegerText.h>

#include <pugixml.hpp>

#include <string>
#include <vector>

namespace Pelka {

namespace {

namespace F = DocFormat;

void SetText(pugi::xml_attribute attribute, const std::wstring& text) {
  attribute.set_value(XmlText(text).c_str());
}

// Runs a part of the writing; a refused text names the part it is in.
template <class TAction>
void Naming(const std::string& part, TAction action) {
  try {
    action();
  } catch (const ZDocFileError& error) {
    throw ZDocFileError(part + ": " + error.what());
  }
}

// Collects the bytes pugixml writes.
class StringWriter : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override {
    m_text.append(static_cast<const char*>(data), size);
  }
  std::string& Text() { return m_text; }

 private:
  std::string m_text;
};

class DocumentWriter {
 public:
  explicit DocumentWriter(const ZEcuDoc& doc) : m_doc(doc), m_interfaces(doc.AttributeCount()) {
    CollectInterfaces();
  }

  std::string Format() {
    pugi::xml_document xml;
    pugi::xml_node declaration = xml.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = xml.append_child(F::kRoot);
    WriteLanguages(root.append_child(F::kLanguages));
    pugi::xml_node attributes = root.append_child(F::kAttributes);
    for (std::size_t position = 0; position < m_doc.AttributeCount(); ++position) {
      const ZDefaultAttr& attribute = m_doc.AttributeAt(position);
      Naming("attribute " + Quoted(attribute.GetQualifier()),
             [&] { WriteAttribute(attributes.append_child(F::kAttribute), attribute); });
    }
    StringWriter writer;
    xml.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
    return std::move(writer.Text());
  }

 private:
  // Per attribute, the interfaces it is a member of, in document order of the interfaces.
  void CollectInterfaces() {
    for (std::size_t position = 0; position < m_doc.AttributeCount(); ++position) {
      const wchar_t* qualifier = m_doc.AttributeAt(position).GetQualifier();
      for (std::size_t member : m_doc.InterfaceMemberPositions(qualifier)) {
        m_interfaces[member].push_back(qualifier);
      }
    }
  }

  void WriteLanguages(pugi::xml_node languages) const {
    const ZLanguageSet& set = m_doc.Languages();
    for (auto language = set.Begin(); language != set.End(); ++language) {
      pugi::xml_node node = languages.append_child(F::kLanguage);
      node.append_attribute(F::kId) = (**language).GetId();
      Naming("language " + std::to_string((**language).GetId()),
             [&] { SetText(node.append_attribute(F::kName), (**language).GetName()); });
    }
  }

  void WriteAttribute(pugi::xml_node node, const ZDefaultAttr& attribute) const {
    const ZAttrManager::ZAttrType type = ZAttrTypeChecker::GetAttrType(attribute);
    node.append_attribute(F::kKind) = F::KindName(type);
    SetText(node.append_attribute(F::kQualifier), attribute.GetQualifier());
    const wchar_t* category = attribute.GetCategory().GetQualifier();
    if (*category != L'\0') SetText(node.append_attribute(F::kCategory), category);
    const ZDefaultAttrCollection& held = m_doc.GetEcu().DefaultAttributes();
    if (held.Find(attribute) == held.End()) node.append_attribute(F::kInherited) = F::kTrue;
    if (!attribute.MayBeModified()) node.append_attribute(F::kModifiable) = F::kFalse;
    WriteTranslatable(node, F::kName, attribute.GetNames(), false);
    WriteTranslatable(node, F::kDescription, attribute.GetDescription(), false);
    WriteValues(node, attribute, type);
    for (const wchar_t* interfaceQualifier : m_interfaces[attribute.GetPosition()]) {
      SetText(node.append_child(F::kMember).append_attribute(F::kInterface), interfaceQualifier);
    }
  }

  void WriteValues(pugi::xml_node node, const ZDefaultAttr& attribute,
                   ZAttrManager::ZAttrType type) const {
    const ZOverrideAttrSet& overrides = m_doc.GetEcu().OverriddenAttributes();
    const ZOverrideAttrSet::ConstIterator found = overrides.Find(attribute);
    const ZOverrideAttr* pOverride = found == overrides.End() ? nullptr : &*found;
    switch (type) {
      case ZAttrManager::ATText:
        WriteTexts(node, static_cast<const ZTextDefaultAttr&>(attribute),
                   static_cast<const ZTextOverrideAttr*>(pOverride));
        break;
      case ZAttrManager::ATEnum:
        WriteTags(node, static_cast<const ZEnumDefaultAttr&>(attribute).EnumTagTable());
        WriteValue(node, F::kValue, EnumValueText(attribute));
        if (pOverride != nullptr) WriteValue(node, F::kOverride, EnumValueText(*pOverride));
        break;
      default:  // the value text of these kinds is the file's text
        WriteValue(node, F::kValue, attribute.GetValueText());
        if (pOverride != nullptr) WriteValue(node, F::kOverride, pOverride->GetValueText());
        break;
    }
  }

  static void WriteValue(pugi::xml_node node, const char* name, const std::wstring& text) {
    SetText(node.append_attribute(name), text);
  }

  // The tag id, or empty when the value names no tag.
  static std::wstring EnumValueText(const ZAttribute& attribute) {
    const ZEnumTagTable& table =
        static_cast<const ZEnumDefaultAttr&>(attribute.GetDefaultAttribute()).EnumTagTable();
    const ZEnumTagId value = attribute.IsOverride()
                                 ? static_cast<const ZEnumOverrideAttr&>(attribute).GetValue()
                                 : static_cast<const ZEnumDefaultAttr&>(attribute).GetValue();
    return table.Find(value) == table.End() ? L"" : NComParamMan::DecimalText(value);
  }

  void WriteTexts(pugi::xml_node node, const ZTextDefaultAttr& attribute,
                  const ZTextOverrideAttr* pOverride) const {
    WriteTranslatable(node, F::kValue, attribute.GetValue(), false);
    if (pOverride != nullptr) WriteTranslatable(node, F::kOverride, pOverride->GetValue(), true);
  }

  void WriteTags(pugi::xml_node node, const ZEnumTagTable& table) const {
    for (auto tag = table.Begin(); tag != table.End(); ++tag) {
      pugi::xml_node tagNode = node.append_child(F::kTag);
      tagNode.append_attribute(F::kId) = tag->GetId();
      const ZTranslatable& text = tag->GetTagText();
      if (IsOneTextForAll(text)) {
        SetText(tagNode.append_attribute(F::kText), text.GetText(ZLanguage::defaultLangId));
      } else {
        WriteEntries(tagNode, F::kText, text);
      }
    }
  }

  // Short form name="..." when only the default language has a text and it is defined; else one
  // element per language with content. mustAppear keeps an empty text visible (an override).
  void WriteTranslatable(pugi::xml_node node, const char* name, const ZTranslatable& text,
                         bool mustAppear) const {
    const std::vector<ZLanguageId> languages = LanguagesWithContent(text);
    const bool onlyDefault = languages.size() == 1 && languages[0] == ZLanguage::defaultLangId &&
                             text.IsDefined(ZLanguage::defaultLangId);
    if (onlyDefault) {
      SetText(node.append_attribute(name), text.GetText(ZLanguage::defaultLangId));
    } else if (languages.empty() && mustAppear) {
      WriteEntry(node, name, text, ZLanguage::defaultLangId);
    } else {
      WriteEntries(node, name, text);
    }
  }

  void WriteEntries(pugi::xml_node node, const char* name, const ZTranslatable& text) const {
    for (ZLanguageId language : LanguagesWithContent(text)) WriteEntry(node, name, text, language);
  }

  static void WriteEntry(pugi::xml_node node, const char* name, const ZTranslatable& text,
                         ZLanguageId language) {
    pugi::xml_node entry = node.append_child(name);
    entry.append_attribute(F::kLang) = language;
    if (!text.IsDefined(language)) entry.append_attribute(F::kDefined) = F::kFalse;
    const std::string utf8 = XmlText(text.GetText(language));
    if (!utf8.empty()) entry.append_child(pugi::node_pcdata).set_value(utf8.c_str());
  }

  // Languages, in document order, with a text or the defined flag.
  std::vector<ZLanguageId> LanguagesWithContent(const ZTranslatable& text) const {
    std::vector<ZLanguageId> languages;
    const ZLanguageSet& set = m_doc.Languages();
    for (auto language = set.Begin(); language != set.End(); ++language) {
      const ZLanguageId id = **language;
      if (*text.GetText(id) != L'\0' || text.IsDefined(id)) languages.push_back(id);
    }
    return languages;
  }

  // Every language has the same text, defined: the tag's short form.
  bool IsOneTextForAll(const ZTranslatable& text) const {
    const std::wstring first = text.GetText(ZLanguage::defaultLangId);
    const ZLanguageSet& set = m_doc.Languages();
    for (auto language = set.Begin(); language != set.End(); ++language) {
      if (!text.IsDefined(**language) || first != text.GetText(**language)) return false;
    }
    return true;
  }

  const ZEcuDoc& m_doc;
  std::vector<std::vector<const wchar_t*>> m_interfaces;
};

}  // namespace

std::string FormatEcuDoc(const ZEcuDoc& doc) { return DocumentWriter(doc).Format(); }

void SaveEcuDoc(const ZEcuDoc& doc, const std::string& path) {
  if (doc.GetOdxOrigin() != nullptr) return SaveOdxDocument(doc, path);
  if (IsOdxPath(path)) {
    throw ZDocFileError(path + ": only a document read from ODX can be saved as ODX");
  }
  std::string content;
  Naming(path, [&] { content = FormatEcuDoc(doc); });
  ReplaceFileContent(path, content);
}

}  // namespace Pelka
