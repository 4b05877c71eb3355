#include "BenchDocument.h"

#include <pelka/AttributeKinds.h>

#include <array>
#include <cstdio>
#include <iterator>
#include <string>

namespace NComParamBench {

namespace {

using namespace Pelka;

constexpr ZLanguageId kGerman = 1031;
constexpr std::size_t kOverrideEvery = 3;
// Numbers of consecutive interfaces differ by up to this much, so their texts differ too.
constexpr unsigned kValueSpread = 16;

enum class ZKind { Unsigned, Signed, Enum, String };

using ZSpellings = std::array<const wchar_t*, 4>;  // unused trailing entries are null

// Tag texts of an enumeration, two spellings documents use for the same values.
constexpr ZSpellings kAddrSchemeTags[] = {
    {L"Normal", L"Extended", L"NormalFixed", L"Mixed"},
    {L"normal", L"extended", L"Normal Fixed Addressing", L"mixed"}};
constexpr ZSpellings kCanIdTypeTags[] = {{L"11-bit", L"29-bit", L"J1939"},
                                         {L"11 Bit", L"29 Bit", L"J1939"}};

// One communication parameter of every interface. The interface's index picks one of the
// qualifier aliases, the enumeration's tag spelling and the value.
struct ZParameterRow {
  ZSpellings aliases;
  const wchar_t* category;
  const wchar_t* name;
  ZKind kind;
  unsigned number;          // Unsigned, Signed: the base value
  const ZSpellings* pTags;  // Enum: the two spellings of its tags
  ZSpellings texts;         // String: the values
};

constexpr ZParameterRow Number(ZSpellings aliases, const wchar_t* category, const wchar_t* name,
                               unsigned number, ZKind kind = ZKind::Unsigned) {
  return {aliases, category, name, kind, number, nullptr, {}};
}

constexpr ZParameterRow Enumeration(ZSpellings aliases, const wchar_t* name,
                                    const ZSpellings* pTags) {
  return {aliases, L"CP.ADDRESSING", name, ZKind::Enum, 0, pTags, {}};
}

constexpr ZParameterRow String(ZSpellings aliases, const wchar_t* category, const wchar_t* name,
                               ZSpellings texts) {
  return {aliases, category, name, ZKind::String, 0, nullptr, texts};
}

constexpr const wchar_t* kTiming = L"CP.TIMING";
constexpr const wchar_t* kTransport = L"CP.TRANSPORT";
constexpr const wchar_t* kAddressing = L"CP.ADDRESSING";
constexpr const wchar_t* kBus = L"CP.BUS";

const ZParameterRow kParameters[] = {
    Number({L"S3Server", L"S3_ECU"}, kTiming, L"S3 server", 5000),
    Number({L"S3Client", L"S3", L"TIME_P3C", L"S3Timeout"}, kTiming, L"S3 client", 4000),
    Number({L"P2Timeout", L"P2Client", L"TIMEOUT_P2CE", L"CP_P2_TIMEOUT"}, kTiming, L"P2 client",
           50),
    Number({L"P2Server", L"P2_max"}, kTiming, L"P2 server", 25),
    Number({L"P2ExTimeout", L"P2StarClient", L"CP_P2_EXT_TIMEOUT_7F_78"}, kTiming, L"P2* client",
           5000),
    Number({L"P2ExServer", L"P2StarServer"}, kTiming, L"P2* server", 2000),
    Number({L"P3ClientPhys", L"P3Client"}, kTiming, L"P3 client physical", 50),
    Number({L"P3ClientFunc"}, kTiming, L"P3 client functional", 50),
    Number({L"P3Server"}, kTiming, L"P3 server", 5000),
    Number({L"Blocksize", L"BlockSize", L"CP_BLOCKSIZE_SUG"}, kTransport, L"Block size", 8),
    Number({L"StMin", L"STmin", L"CP_STMIN_SUG"}, kTransport, L"Separation time", 20),
    Number({L"TimeoutAr", L"N_Ar"}, kTransport, L"Timeout Ar", 1000),
    Number({L"TimeoutAs", L"N_As"}, kTransport, L"Timeout As", 1000),
    Number({L"TimeoutBs", L"N_Bs"}, kTransport, L"Timeout Bs", 1000),
    Number({L"TimeBr", L"TIME_BR"}, kTransport, L"Time Br", 50),
    Number({L"TimeCs", L"TIME_CS"}, kTransport, L"Time Cs", 50),
    Number({L"TimeoutCr", L"N_Cr"}, kTransport, L"Timeout Cr", 1000),
    Number({L"MaxLengthTpMessage"}, kTransport, L"Maximum TP message length", 4095),
    Number({L"Baudrate", L"CP_BAUDRATE", L"BusSpeed"}, kBus, L"Baud rate", 500000),
    Enumeration({L"AddrScheme", L"ADDRESSINGSCHEME", L"AddressingScheme"}, L"Addressing scheme",
                kAddrSchemeTags),
    Enumeration({L"CanIdType", L"CanId"}, L"CAN identifier type", kCanIdTypeTags),
    Enumeration({L"CanIdTypeFunc"}, L"Functional CAN identifier type", kCanIdTypeTags),
    String({L"AddrSchemeFunc", L"AddressingSchemeFunc"}, kAddressing,
           L"Functional addressing scheme", {L"Normal", L"normal", L"Extended"}),
    Number({L"ReqCanIdPhys", L"ReqCanId", L"CP_REQUEST_CANIDENTIFIER", L"idRequest"}, kAddressing,
           L"Request CAN identifier", 0x7E0),
    Number({L"ReqCanIdFunc", L"FuncCanId"}, kAddressing, L"Functional request CAN identifier",
           0x7DF),
    Number({L"ResCanId", L"USDT_RES", L"idResponse"}, kAddressing, L"Response CAN identifier",
           0x7E8),
    Number({L"UudtResCanId", L"UUDT_RES"}, kAddressing, L"UUDT response CAN identifier", 0x5E8),
    Number({L"EcuAddress", L"EcuAddr", L"PhysEcuAddress"}, kAddressing, L"ECU address", 0x10),
    Number({L"DefaultTxPriority", L"EcuTxPriority"}, kAddressing, L"Transmit priority", 6),
    Number({L"DefaultTxPriorityFunc"}, kAddressing, L"Functional transmit priority", 6),
    Number({L"AddressExtension"}, kAddressing, L"Address extension", 0),
    Number({L"BroadcastAddress", L"FuncAddr", L"DIAG_ADDR"}, kAddressing, L"Broadcast address",
           0xDF),
    Number({L"BaseAddress"}, kAddressing, L"Base address", 0x700),
    Number({L"DefaultTesterAddress", L"DefaultTesterAddr"}, kAddressing, L"Default tester address",
           0xE0),
    Number({L"TesterAddress", L"TesterAddr"}, kAddressing, L"Tester address", 0xE0, ZKind::Signed),
    String({L"BusType"}, kBus, L"Bus type", {L"CAN"}),
    String({L"TransportProtocolType"}, kTransport, L"Transport protocol", {L"ISO15765"}),
    // Not identified by the library: kept apart and logged on every read.
    Number({L"CANFrameFillerByte"}, kTransport, L"Frame filler byte", 0xAA),
    String({L"FillerByteHandling"}, kTransport, L"Filler byte handling", {L"true", L"false"}),
    String({L"OemDiagVariant"}, kBus, L"Diagnostic variant", {L"A1", L"B2", L"C3"}),
};
static_assert(std::size(kParameters) == kParametersPerInterface,
              "every interface gets one attribute per row");

// Entry index % (number of non-null entries).
const wchar_t* Pick(const ZSpellings& spellings, std::size_t index) {
  std::size_t count = 0;
  while (count < spellings.size() && spellings[count]) ++count;
  return spellings[index % count];
}

void SetTexts(ZTranslatable& translatable, const std::wstring& text) {
  translatable.SetText(text.c_str(), ZLanguage::defaultLangId, true);
  translatable.SetText((text + L" (de)").c_str(), kGerman, true);
}

void AddTags(ZEnumDefaultAttr& attribute, const ZSpellings& tags) {
  ZEnumTagId id = 0;
  for (const wchar_t* text : tags) {
    if (!text) break;
    ZTranslatable& tagText = attribute.EnumTagTable().AddNewTag(id++).GetTagText();
    tagText.SetText(text, ZLanguage::defaultLangId, true);
    tagText.SetText(text, kGerman, true);
  }
}

// The value at the document, and the other one at the ECU where it overrides the attribute.
template <class TDefaultAttr, class TValue>
void SetValues(ZDefaultAttr& attribute, TValue value, TValue overrideValue,
               ZAttributable* pOverrideAt) {
  static_cast<TDefaultAttr&>(attribute).SetValue(value);
  if (!pOverrideAt) return;
  static_cast<typename TDefaultAttr::OverrideType&>(attribute.CreateOverride(*pOverrideAt))
      .SetValue(overrideValue);
}

// The value of the row for the interface; an override gets the next one.
void SetValue(ZDefaultAttr& attribute, const ZParameterRow& row, std::size_t interfaceIndex,
              ZAttributable* pOverrideAt) {
  const unsigned number = row.number + static_cast<unsigned>(interfaceIndex % kValueSpread);
  switch (row.kind) {
    case ZKind::Unsigned:
      SetValues<ZUnsignedDefaultAttr>(attribute, number, number + 1, pOverrideAt);
      break;
    case ZKind::Signed:
      SetValues<ZSignedDefaultAttr>(attribute, static_cast<int>(number),
                                    static_cast<int>(number + 1), pOverrideAt);
      break;
    case ZKind::Enum: {
      AddTags(static_cast<ZEnumDefaultAttr&>(attribute), row.pTags[interfaceIndex % 2]);
      // The first two tags combine validly with either choice of the other enumerations.
      const auto tag = static_cast<ZEnumTagId>(interfaceIndex % 2);
      SetValues<ZEnumDefaultAttr>(attribute, tag, static_cast<ZEnumTagId>(tag ^ 1), pOverrideAt);
      break;
    }
    case ZKind::String:
      SetValues<ZCommonStringDefaultAttr>(attribute, Pick(row.texts, interfaceIndex),
                                          Pick(row.texts, interfaceIndex + 1), pOverrideAt);
      break;
  }
}

ZAttrManager::ZAttrType AttrType(ZKind kind) {
  switch (kind) {
    case ZKind::Unsigned: return ZAttrManager::ATUnsigned;
    case ZKind::Signed: return ZAttrManager::ATSigned;
    case ZKind::Enum: return ZAttrManager::ATEnum;
    case ZKind::String: break;
  }
  return ZAttrManager::ATString;
}

void AddInterface(ZEcuDoc& doc, std::size_t index) {
  const std::wstring interfaceQualifier = InterfaceQualifier(index);
  for (std::size_t position = 0; position < kParametersPerInterface; ++position) {
    const ZParameterRow& row = kParameters[position];
    const std::wstring alias = Pick(row.aliases, index);
    ZDefaultAttr& attribute = doc.AddAttribute(
        AttrType(row.kind), (interfaceQualifier + L"." + alias).c_str(), row.category);
    SetTexts(attribute.GetNames(), row.name);
    SetTexts(attribute.GetDescription(), std::wstring(row.name) + L" of " + interfaceQualifier);
    const bool overridden = (index + position) % kOverrideEvery == 0;
    SetValue(attribute, row, index, overridden ? &doc.GetEcu() : nullptr);
    doc.AddInterfaceMember(interfaceQualifier.c_str(), attribute);
  }
}

}  // namespace

std::wstring InterfaceQualifier(std::size_t index) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"CAN_%04zu", index);
  return text;
}

std::unique_ptr<ZEcuDoc> GenerateDocument(std::size_t interfaceCount) {
  auto pDoc = std::make_unique<ZEcuDoc>();
  pDoc->AddLanguage(kGerman, L"Deutsch");
  // The interfaces come first, as authoring tools list them; their members follow in blocks.
  for (std::size_t index = 0; index < interfaceCount; ++index) {
    ZDefaultAttr& interfaceAttr = pDoc->AddAttribute(
        ZAttrManager::ATString, InterfaceQualifier(index).c_str(), ZEcuDoc::interfaceCategory);
    static_cast<ZCommonStringDefaultAttr&>(interfaceAttr)
        .SetValue((L"Diagnostic CAN " + std::to_wstring(index)).c_str());
  }
  for (std::size_t index = 0; index < interfaceCount; ++index) AddInterface(*pDoc, index);
  return pDoc;
}

}  // namespace NComParamBench
