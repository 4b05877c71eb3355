#include "OdxNames.h"

#include <algorithm>
#include <iterator>

namespace Pelka {
namespace OdxNames {

namespace {

// The subsets a standard name belongs to, by their SHORT-NAME.
enum ZSubsets { SubIso15765_2, SubIso15765_3, SubCanLink };

constexpr std::string_view kCanLinkSubsets[] = {"ISO_11898_2_DWCAN", "ISO_11898_3_DWFTCAN",
                                                "SAE_J2411_SWCAN"};

struct ZNameEntry {
  ZSubsets subsets;
  std::string_view shortName;
  const wchar_t* normalized;
  ZFormatSide governedBy = FSNone;  // the name holds only under this format's scheme...
  ZScheme scheme = SNormal;         // ...being this one
};

// A comparam may stand twice: once per scheme under which it has a name. Members of
// CP_UniqueRespIdTable belong to its subset.
const ZNameEntry kNames[] = {
    {SubIso15765_2, "CP_CanPhysReqId", L"ReqCanId"},
    {SubIso15765_2, "CP_CanRespUSDTId", L"ResCanId"},
    {SubIso15765_2, "CP_CanFuncReqId", L"ReqCanIdFunc"},
    {SubIso15765_2, "CP_CanRespUUDTId", L"UudtResCanId"},
    {SubIso15765_2, "CP_CanPhysReqExtAddr", L"EcuAddress", FSPhysical, SExtended},
    {SubIso15765_2, "CP_CanPhysReqExtAddr", L"AddressExtension", FSPhysical, SMixed},
    {SubIso15765_2, "CP_CanRespUSDTExtAddr", L"TesterAddress", FSPhysical, SExtended},
    {SubIso15765_2, "CP_CanFuncReqExtAddr", L"BroadcastAddress", FSFunctional, SExtended},
    {SubIso15765_2, "CP_As", L"TimeoutAs"},
    {SubIso15765_2, "CP_Ar", L"TimeoutAr"},
    {SubIso15765_2, "CP_Bs", L"TimeoutBs"},
    {SubIso15765_2, "CP_Br", L"TimeBr"},
    {SubIso15765_2, "CP_Cs", L"TimeCs"},
    {SubIso15765_2, "CP_Cr", L"TimeoutCr"},
    {SubIso15765_2, "CP_BlockSize", L"Blocksize"},
    {SubIso15765_2, "CP_StMin", L"StMin"},
    {SubIso15765_3, "CP_P2Max", L"P2Client"},
    {SubIso15765_3, "CP_P2Star", L"P2ExClient"},
    {SubIso15765_3, "CP_P3Phys", L"P3ClientPhys"},
    {SubIso15765_3, "CP_P3Func", L"P3ClientFunc"},
    {SubIso15765_3, "CP_TesterPresentTime", L"S3Client"},
    {SubCanLink, "CP_Baudrate", L"Baudrate"},
};

struct ZFormatEntry {
  std::string_view shortName;
  ZFormatName name;
};

const ZFormatEntry kFormats[] = {
    {"CP_CanPhysReqFormat", {FSPhysical, L"AddrScheme", L"CanIdType"}},
    {"CP_CanFuncReqFormat", {FSFunctional, L"AddrSchemeFunc", L"CanIdTypeFunc"}},
};

// The first words of a frame format, longest first, lower case.
struct ZSchemeWords {
  std::string_view words;
  ZScheme scheme;
};
const ZSchemeWords kSchemeWords[] = {{"normal fixed", SNormalFixed},
                                     {"normal", SNormal},
                                     {"extended", SExtended},
                                     {"mixed", SMixed}};
constexpr std::string_view kWidthWords[] = {"11-bit", "29-bit"};
static_assert(std::size(kWidthWords) == std::size(kIdWidths), "one word per width");

bool InSubsets(ZSubsets subsets, std::string_view subset) {
  switch (subsets) {
    case SubIso15765_2: return subset == "ISO_15765_2";
    case SubIso15765_3: return subset == "ISO_15765_3";
    case SubCanLink:
      return std::find(std::begin(kCanLinkSubsets), std::end(kCanLinkSubsets), subset) !=
             std::end(kCanLinkSubsets);
  }
  return false;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view left, std::string_view right) {
  return left.size() == right.size() &&
         std::equal(left.begin(), left.end(), right.begin(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

// The text's words, separated by blanks.
template <class TVisit>
void ForEachWord(std::string_view text, TVisit visit) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    if (end > at) visit(text.substr(at, end - at));
    at = end + 1;
  }
}

const ZSchemeWords* SchemeWordsOf(std::string_view text) {
  for (const ZSchemeWords& entry : kSchemeWords) {
    const std::size_t length = entry.words.size();
    if (text.size() > length && text[length] == ' ' &&
        EqualIgnoringCase(text.substr(0, length), entry.words)) {
      return &entry;
    }
  }
  return nullptr;
}

std::optional<ZScheme> SchemeOf(std::string_view text) {
  const ZSchemeWords* pEntry = SchemeWordsOf(text);
  return pEntry ? std::optional<ZScheme>(pEntry->scheme) : std::nullopt;
}

bool IsWidthWord(std::string_view word) {
  return std::any_of(std::begin(kWidthWords), std::end(kWidthWords),
                     [&](std::string_view width) { return EqualIgnoringCase(word, width); });
}

// The words after the scheme but the identifier width, in lower case: "segmented transmit
// with fc".
std::string OtherWordsOf(std::string_view text) {
  const ZSchemeWords* pEntry = SchemeWordsOf(text);
  std::string words;
  bool widthSeen = false;
  ForEachWord(text.substr(pEntry ? pEntry->words.size() : 0), [&](std::string_view word) {
    if (!widthSeen && IsWidthWord(word)) {
      widthSeen = true;
      return;
    }
    if (!words.empty()) words += ' ';
    for (char c : word) words += Lower(c);
  });
  return words;
}

std::optional<std::size_t> IdWidthOf(std::string_view text) {
  std::optional<std::size_t> width;
  ForEachWord(text, [&](std::string_view word) {
    for (std::size_t i = 0; i < std::size(kWidthWords) && !width; ++i) {
      if (EqualIgnoringCase(word, kWidthWords[i])) width = i;
    }
  });
  return width;
}

}  // namespace

const wchar_t* SchemeText(ZScheme scheme) noexcept {
  switch (scheme) {
    case SNormal: return L"Normal";
    case SExtended: return L"Extended";
    case SNormalFixed: return L"NormalFixed";
    case SMixed: return L"Mixed";
  }
  return L"";
}

std::optional<ZFrameFormat> SplitFrameFormat(std::string_view text) noexcept {
  const std::optional<ZScheme> scheme = SchemeOf(text);
  const std::optional<std::size_t> width = IdWidthOf(text);
  if (!scheme || !width) return std::nullopt;
  return ZFrameFormat{*scheme, *width};
}

std::optional<std::string> ReformatFrameFormat(std::string_view text, ZFrameFormat format,
                                               const std::vector<std::string>& table) {
  const std::string otherWords = OtherWordsOf(text);
  for (const std::string& candidate : table) {
    const std::optional<ZFrameFormat> split = SplitFrameFormat(candidate);
    if (split && split->scheme == format.scheme && split->idWidth == format.idWidth &&
        OtherWordsOf(candidate) == otherWords) {
      return candidate;
    }
  }
  return std::nullopt;
}

const ZFormatName* FormatNameOf(std::string_view subset, std::string_view shortName) noexcept {
  if (!InSubsets(SubIso15765_2, subset)) return nullptr;
  for (const ZFormatEntry& entry : kFormats) {
    if (entry.shortName == shortName) return &entry.name;
  }
  return nullptr;
}

ZFormatSide GoverningFormat(std::string_view subset, std::string_view shortName) noexcept {
  for (const ZNameEntry& entry : kNames) {
    if (entry.shortName == shortName && InSubsets(entry.subsets, subset)) return entry.governedBy;
  }
  return FSNone;
}

const wchar_t* NormalizedName(std::string_view subset, std::string_view shortName,
                              std::optional<ZScheme> scheme) noexcept {
  for (const ZNameEntry& entry : kNames) {
    if (entry.shortName != shortName || !InSubsets(entry.subsets, subset)) continue;
    if (entry.governedBy == FSNone || scheme == entry.scheme) return entry.normalized;
  }
  return nullptr;
}

bool IsCanLink(std::string_view physicalLinkType) noexcept {
  constexpr std::string_view kIso11898 = "ISO_11898_";
  return physicalLinkType.substr(0, kIso11898.size()) == kIso11898 ||
         physicalLinkType == "SAE_J2411_SWCAN";
}

}  // namespace OdxNames
}  // namespace Pelka
