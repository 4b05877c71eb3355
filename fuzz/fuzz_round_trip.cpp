// A full round trip on documents the conversion can read: every interface is normalized,
// checked and written back unchanged, then the document is saved and loaded again. Nothing may
// crash or throw, every attribute must survive, and numbers that the write-back has no reason to
// touch must keep their values.
//
// Input that loads as a document is taken as it is (the seeds are the test documents); any other
// input drives a generator that builds a loadable document from the translator's own aliases.
#include <FuzzInput.h>

#include "ComParamBabelFish.h"
#include "Vocabulary.h"

#include <Util/TextConv.h>
#include <comparam/ComParamManager.h>
#include <pelka/AttrUtilities.h>
#include <pelka/Attributable.h>
#include <pelka/AttributeKinds.h>
#include <pelka/EcuDoc.h>
#include <pelka/EcuDocFile.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using NComParamMan::ZComParam;
using NComParamMan::ZComParamBabelFish;
using Pelka::ZAttrManager;
using Pelka::ZDefaultAttr;
using Pelka::ZEcuDoc;
namespace Vocab = NComParamMan::Vocab;

const wchar_t* const kInterfaces[] = {L"CAN_1", L"CAN_2"};
const char* const kKinds[] = {"unsigned", "signed", "float", "text", "enum", "string"};

const ZComParamBabelFish& Translator() {
  static const ZComParamBabelFish babelFish;
  return babelFish;
}

// --- Generator -------------------------------------------------------------------------------

// UTF-8 of text as XML attribute content; characters XML cannot carry become '?'.
std::string XmlText(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) {
    const auto u = static_cast<unsigned long>(std::char_traits<wchar_t>::to_int_type(c));
    if (c == L'\t') {
      out += "&#9;";  // a literal tab would read back as a blank
    } else if (u < 0x20 || (u >= 0xd800 && u <= 0xdfff) || u >= 0xfffe) {
      out += '?';
    } else if (c == L'<') {
      out += "&lt;";
    } else if (c == L'&') {
      out += "&amp;";
    } else if (c == L'"') {
      out += "&quot;";
    } else if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xc0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3f));
    } else {
      out += static_cast<char>(0xe0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3f));
      out += static_cast<char>(0x80 | (u & 0x3f));
    }
  }
  return out;
}

class ZDocGenerator {
 public:
  explicit ZDocGenerator(Fuzz::ZInput& input) : m_input(input) {}

  std::string Document() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ecudoc>\n";
    if (m_input.Byte() & 1)
      xml += "<languages><language id=\"1031\" name=\"Deutsch\"/></languages>\n";
    xml += "<attributes>\n";
    for (const wchar_t* interface : kInterfaces)
      xml += "<attribute kind=\"string\" qualifier=\"" + XmlText(interface) +
             "\" category=\"COM.INTERFACES\"/>\n";
    for (std::size_t count = m_input.Below(16); count > 0 && !m_input.Empty(); --count)
      xml += Parameter();
    return xml + "</attributes>\n</ecudoc>\n";
  }

 private:
  // A qualifier alias of a catalogue row, or a fuzzed one; the row's enumerated values, if any.
  std::wstring Alias(const Vocab::ZCatalogueRow*& pRow) {
    const std::size_t index = m_input.Below(Vocab::kCatalogueSize + 1);
    if (index == Vocab::kCatalogueSize) {
      pRow = nullptr;
      return m_input.Text();
    }
    pRow = &Vocab::kCatalogue[index];
    const ZComParamBabelFish::ZAliasList& aliases = Translator().GetAliases(pRow->qualifier);
    const std::size_t pick = m_input.Below(aliases.size() + 1);
    return pick == aliases.size() ? std::wstring(pRow->qualifier) : aliases[pick];
  }

  // A value alias of one of the row's permitted values, or a fuzzed text.
  std::wstring ValueText(const Vocab::ZCatalogueRow* pRow) {
    if (pRow == nullptr || pRow->permittedValues == nullptr || (m_input.Byte() & 3) == 0)
      return m_input.Text();
    std::vector<std::wstring> candidates;
    for (const wchar_t* const* p = pRow->permittedValues; *p != nullptr; ++p) {
      candidates.emplace_back(*p);
      for (const std::wstring& alias : Translator().GetValueAliases(pRow->qualifier, *p))
        candidates.push_back(alias);
    }
    return candidates[m_input.Below(candidates.size())];
  }

  std::string Number(std::size_t kind) {
    const unsigned bits = (m_input.Byte() & 1) ? m_input.Unsigned() : m_input.Byte();
    if (kind == ZAttrManager::ATUnsigned) return std::to_string(bits);
    if (kind == ZAttrManager::ATSigned) return std::to_string(static_cast<int>(bits));
    char text[40];
    std::snprintf(text, sizeof text, "%.17g",
                  static_cast<int>(bits) / std::pow(10.0, static_cast<double>(m_input.Below(4))));
    return text;
  }

  // Tags with ids dense from 0 or scattered; the value and override name one of them.
  std::string EnumBody(const Vocab::ZCatalogueRow* pRow, std::string& value,
                       std::string& override) {
    std::string tags;
    std::vector<unsigned> ids;
    std::set<unsigned> taken;
    const bool sparse = m_input.Byte() & 1;
    for (std::size_t count = m_input.Below(5); count > 0; --count) {
      const unsigned id =
          sparse ? (m_input.Unsigned() & 0xffff) : static_cast<unsigned>(ids.size());
      if (!taken.insert(id).second) continue;
      ids.push_back(id);
      tags += "<tag id=\"" + std::to_string(id) + "\" text=\"" + XmlText(ValueText(pRow)) + "\"/>";
    }
    if (ids.empty()) return tags;
    value = std::to_string(ids[m_input.Below(ids.size())]);
    override = std::to_string(ids[m_input.Below(ids.size())]);
    return tags;
  }

  std::string Parameter() {
    const Vocab::ZCatalogueRow* pRow = nullptr;
    // Unique as written: characters XML cannot carry all become the same '?'.
    const std::string qualifier = XmlText(L"CP." + Alias(pRow));
    if (!m_qualifiers.insert(qualifier).second) return "";
    const std::size_t kind = m_input.Below(6);
    const std::uint8_t flags = m_input.Byte();
    std::string value;
    std::string override;
    std::string body;
    if (kind <= ZAttrManager::ATFloat) {
      value = Number(kind);
      override = Number(kind);
    } else if (kind == ZAttrManager::ATEnum) {
      body = EnumBody(pRow, value, override);
    } else {
      value = XmlText(ValueText(pRow));
      override = XmlText(ValueText(pRow));
    }
    std::string xml =
        "<attribute kind=\"" + std::string(kKinds[kind]) + "\" qualifier=\"" + qualifier + "\"";
    if (flags & 1) xml += " inherited=\"true\"";
    if (flags & 2) xml += " modifiable=\"false\"";
    if (!value.empty()) xml += " value=\"" + value + "\"";
    if ((flags & 4) && !(flags & 1) && !(kind == ZAttrManager::ATEnum && override.empty()))
      xml += " override=\"" + override + "\"";
    xml += ">" + body;
    if (flags & 8) xml += "<member interface=\"CAN_1\"/>";
    if (flags & 16) xml += "<member interface=\"CAN_2\"/>";
    return xml + "</attribute>\n";
  }

  Fuzz::ZInput& m_input;
  std::set<std::string> m_qualifiers;
};

// --- Round trip ------------------------------------------------------------------------------

std::unique_ptr<ZEcuDoc> Load(const std::string& xml, const char* name) {
  try {
    return Pelka::ParseEcuDoc(xml.data(), xml.size(), name);
  } catch (const Pelka::ZDocFileError&) {
    return nullptr;
  }
}

// The value the ECU sees: its override when it has one, else the default.
std::wstring EcuValue(const ZEcuDoc& doc, const ZDefaultAttr& attr) {
  const auto& overrides = doc.GetEcu().OverriddenAttributes();
  const auto it = overrides.Find(attr);
  return it != overrides.End() ? it->GetValueText() : attr.GetValueText();
}

bool IsNumberKind(ZAttrManager::ZAttrType type) {
  return type == ZAttrManager::ATUnsigned || type == ZAttrManager::ATSigned ||
         type == ZAttrManager::ATFloat;
}

// The write-back translates enumerated values into an alias of the attribute's own choosing;
// every other value goes back as it was read.
bool ReadsAsEnumerated(const ZDefaultAttr& attr) {
  const std::wstring qualifier = attr.GetQualifier();
  const std::size_t dot = qualifier.find(L'.');
  const std::wstring alias = dot == std::wstring::npos ? L"" : qualifier.substr(dot + 1);
  const std::wstring& translated = Translator().GetNormalizedQualifier(alias.c_str());
  for (const Vocab::ZCatalogueRow& row : Vocab::kCatalogue) {
    if (row.valueType != ZComParam::CPTString) continue;
    if (alias == row.qualifier || translated == row.qualifier) return true;
  }
  return false;
}

struct ZAttrSnapshot {
  std::wstring qualifier;
  ZAttrManager::ZAttrType type;
  bool keepsValue;
  std::wstring value;
};

std::vector<ZAttrSnapshot> Snapshot(const ZEcuDoc& doc) {
  std::vector<ZAttrSnapshot> snapshot;
  for (std::size_t i = 0; i < doc.AttributeCount(); ++i) {
    const ZDefaultAttr& attr = doc.AttributeAt(i);
    const ZAttrManager::ZAttrType type = Pelka::ZAttrTypeChecker::GetAttrType(attr);
    snapshot.push_back({attr.GetQualifier(), type, IsNumberKind(type) && !ReadsAsEnumerated(attr),
                        EcuValue(doc, attr)});
  }
  return snapshot;
}

// For messages: ASCII and line ends as they are, anything else as '?'.
std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text)
    narrow += (c == L'\n' || (c >= L' ' && c <= L'~')) ? static_cast<char>(c) : '?';
  return narrow;
}

void CheckSurvivors(const std::vector<ZAttrSnapshot>& before, const ZEcuDoc& after) {
  FUZZ_CHECK(after.AttributeCount() == before.size(), "attribute count changed");
  for (std::size_t i = 0; i < before.size(); ++i) {
    const ZDefaultAttr& attr = after.AttributeAt(i);
    const std::string where = " of " + Narrow(before[i].qualifier);
    FUZZ_CHECK(before[i].qualifier == attr.GetQualifier(), "qualifier changed" + where);
    FUZZ_CHECK(before[i].type == Pelka::ZAttrTypeChecker::GetAttrType(attr),
               "kind changed" + where);
    if (before[i].keepsValue)
      FUZZ_CHECK(before[i].value == EcuValue(after, attr), "number changed" + where + ": " +
                                                               Narrow(before[i].value) + " -> " +
                                                               Narrow(EcuValue(after, attr)));
  }
}

// What a caller sees of one interface's reading: qualifier, alias, value and validity of each
// parameter, in order.
std::wstring Reading(NComParamMan::ZComParamConfiguration& configuration) {
  std::wstring reading;
  const NComParamMan::ZComParamCollection& collection = configuration.GetComParamCollection();
  for (auto it = collection.Begin(); it != collection.End(); ++it) {
    reading += std::wstring(it->GetQualifier()) + L" from " + it->GetAlias() + L" = '" +
               it->GetValue() + (it->HasValidValue() ? L"'\n" : L"' (invalid)\n");
  }
  return reading;
}

// Reads every interface and, if asked, writes each reading back unchanged.
std::vector<std::wstring> Convert(ZEcuDoc& doc, bool writeBack) {
  std::vector<std::wstring> readings;
  NComParamMan::ZComParamManager manager(doc);
  for (const std::wstring& interface : doc.InterfaceQualifiers()) {
    NComParamMan::ZComParamConfiguration configuration =
        manager.TolvanToNormalized(interface.c_str());
    manager.CheckValidity(configuration);
    readings.push_back(Reading(configuration));
    if (writeBack) manager.NormalizedToTolvan(configuration);
  }
  return readings;
}

void RoundTrip(ZEcuDoc& doc) {
  const std::vector<ZAttrSnapshot> before = Snapshot(doc);
  const std::vector<std::wstring> readings = Convert(doc, true);
  const std::string saved = Pelka::FormatEcuDoc(doc);
  const std::unique_ptr<ZEcuDoc> pReloaded = Load(saved, "saved.xml");
  FUZZ_CHECK(pReloaded != nullptr, "the written-back document does not load:\n" + saved);
  std::string difference;
  FUZZ_CHECK(Pelka::EqualDocuments(doc, *pReloaded, &difference),
             "the reloaded document differs: " + difference);
  CheckSurvivors(before, *pReloaded);
  // Writing a reading back unchanged must not change what the next reading sees.
  const std::vector<std::wstring> again = Convert(*pReloaded, false);
  for (std::size_t i = 0; i < readings.size(); ++i)
    FUZZ_CHECK(readings[i] == again[i], "the reading changed:\n" + Narrow(readings[i]) +
                                            "-> after writing it back:\n" + Narrow(again[i]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Programs that link the library's objects attach the text buffers themselves.
  static const bool attached = (NComParamMan::AttachTextConvBuffers(), true);
  (void)attached;

  std::unique_ptr<ZEcuDoc> pDoc =
      Load(std::string(reinterpret_cast<const char*>(data), size), "fuzz.xml");
  if (pDoc == nullptr) {
    Fuzz::ZInput input(data, size);
    const std::string xml = ZDocGenerator(input).Document();
    pDoc = Load(xml, "generated.xml");
    FUZZ_CHECK(pDoc != nullptr, "a generated document does not load:\n" + xml);
  }
  RoundTrip(*pDoc);
  return 0;
}
