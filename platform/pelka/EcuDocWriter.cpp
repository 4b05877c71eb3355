// Writing a document in the file format (docs/document-format.md).
#include "EcuDocFormat.h"
#include "OdxSources.h"
#include "TextUtil.h"
#include "pelka/AttrUtilities.h"
#include "pelka/AttributeKinds.h"
#include "pelka/EcuDocFile.h"

#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#  include <fcntl.h>
#  include <io.h>
#  include <sys/stat.h>
#endif

namespace Pelka {

namespace {

namespace F = DocFormat;

void SetText(pugi::xml_attribute attribute, const wchar_t* text) {
  attribute.set_value(ToUtf8(text).c_str());
}

void SetText(pugi::xml_attribute attribute, const std::wstring& text) {
  attribute.set_value(ToUtf8(text).c_str());
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
      WriteAttribute(attributes.append_child(F::kAttribute), m_doc.AttributeAt(position));
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
      SetText(node.append_attribute(F::kName), (**language).GetName());
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
    return table.Find(value) == table.End() ? L"" : std::to_wstring(value);
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
    const std::string utf8 = ToUtf8(text.GetText(language));
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

[[noreturn]] void FailSave(const std::string& path, const std::string& problem) {
  throw ZDocFileError(path + ": " + problem);
}

// Creates the file only when no file of that name exists.
std::FILE* OpenExclusive(const std::filesystem::path& path) {
#if defined(_WIN32)
  // The wide name keeps UTF-8 paths intact; _O_EXCL is known to every C runtime there.
  const int descriptor =
      _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (descriptor == -1) return nullptr;
  std::FILE* pFile = _fdopen(descriptor, "wb");
  if (pFile == nullptr) _close(descriptor);
  return pFile;
#else
  return std::fopen(path.c_str(), "wbx");
#endif
}

// The file a save writes first, beside its target under a name no file had: PATH.tmp-N. It is
// removed unless it has replaced the target.
class TemporaryFile {
 public:
  TemporaryFile(const std::filesystem::path& target, const std::string& path) : m_path(path) {
    for (unsigned n = 1; n <= kAttempts; ++n) {
      m_name = target;
      m_name += ".tmp-" + std::to_string(n);
      m_pFile = OpenExclusive(m_name);
      if (m_pFile != nullptr) return;
      std::error_code ignored;
      if (!std::filesystem::exists(std::filesystem::symlink_status(m_name, ignored))) break;
    }
    FailSave(m_path, "cannot create the temporary file");
  }
  ~TemporaryFile() {
    if (m_pFile != nullptr) std::fclose(m_pFile);
    std::error_code ignored;
    if (!m_replaced) std::filesystem::remove(m_name, ignored);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void Write(const std::string& content) {
    const bool written = std::fwrite(content.data(), 1, content.size(), m_pFile) == content.size();
    const bool closed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    if (!written || !closed) FailSave(m_path, "cannot write the temporary file");
  }

  // A replaced file keeps its permissions rather than taking the defaults of a new one.
  void TakePermissionsOf(const std::filesystem::path& target) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (error || !std::filesystem::is_regular_file(status)) return;
    std::filesystem::permissions(m_name, status.permissions(),
                                 std::filesystem::perm_options::replace, error);
    if (error) FailSave(m_path, "cannot set the permissions of the temporary file");
  }

  // Replaces an existing file in one step, on Windows too.
  void Replace(const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(m_name, target, error);
    if (error) FailSave(m_path, "cannot replace the file");
    m_replaced = true;
  }

 private:
  static constexpr unsigned kAttempts = 1000;

  const std::string m_path;  // as given, for messages
  std::filesystem::path m_name;
  std::FILE* m_pFile = nullptr;
  bool m_replaced = false;
};

// An existing path is saved through to the file it names, so a link stays a link.
std::filesystem::path ResolveTarget(const std::string& path) {
  const std::filesystem::path given = std::filesystem::u8path(path);
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::canonical(given, error);
  return error ? given : resolved;
}

}  // namespace

std::string FormatEcuDoc(const ZEcuDoc& doc) { return DocumentWriter(doc).Format(); }

void SaveEcuDoc(const ZEcuDoc& doc, const std::string& path) {
  if (doc.GetOdxOrigin() != nullptr || IsOdxPath(path)) {
    throw ZDocFileError(path + ": writing ODX documents is not supported yet");
  }
  const std::string content = FormatEcuDoc(doc);
  const std::filesystem::path target = ResolveTarget(path);
  TemporaryFile temporary(target, path);
  temporary.Write(content);
  temporary.TakePermissionsOf(target);
  temporary.Replace(target);
}

}  // namespace Pelka
