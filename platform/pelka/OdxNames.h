// The ODX vocabulary the document model understands: standard comparam names to normalized
// qualifiers, and the rule that splits a CAN frame format into scheme and identifier width.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Pelka {
namespace OdxNames {

// The addressing scheme of a frame format, in the order of its attribute's tag ids.
enum ZScheme { SNormal, SExtended, SNormalFixed, SMixed };
inline constexpr ZScheme kSchemes[] = {SNormal, SExtended, SNormalFixed, SMixed};
// "Normal", "Extended", "NormalFixed", "Mixed".
const wchar_t* SchemeText(ZScheme scheme) noexcept;
// The identifier widths, in the order of their attribute's tag ids.
inline constexpr const wchar_t* kIdWidths[] = {L"11-Bit", L"29-Bit"};

// A frame format text such as "normal segmented 11-bit transmit with FC" split into its scheme
// (its first words) and its identifier width (an index into kIdWidths).
struct ZFrameFormat {
  ZScheme scheme;
  std::size_t idWidth;
};
// Empty when the text names no scheme or no width.
std::optional<ZFrameFormat> SplitFrameFormat(std::string_view text) noexcept;
// The text of the table that has that scheme and width and otherwise the words of the text:
// "normal segmented 11-bit transmit with FC" with 29-Bit is "normal segmented 29-bit transmit
// with FC". Empty when the table has no such text.
std::optional<std::string> ReformatFrameFormat(std::string_view text, ZFrameFormat format,
                                               const std::vector<std::string>& table);

// The two frame formats a request can have.
enum ZFormatSide { FSNone, FSPhysical, FSFunctional };

// A comparam that is a frame format, and the two normalized qualifiers it becomes.
struct ZFormatName {
  ZFormatSide side;
  const wchar_t* scheme;   // "AddrScheme"
  const wchar_t* idWidth;  // "CanIdType"
};
// The frame format the comparam of that subset is, or null.
const ZFormatName* FormatNameOf(std::string_view subset, std::string_view shortName) noexcept;

// The frame format whose scheme decides the comparam's name (FSNone: none does).
ZFormatSide GoverningFormat(std::string_view subset, std::string_view shortName) noexcept;
// The normalized qualifier of the comparam of that subset, or null when it has none; scheme is
// the scheme of its governing frame format (empty when that is unknown).
const wchar_t* NormalizedName(std::string_view subset, std::string_view shortName,
                              std::optional<ZScheme> scheme) noexcept;

// The derived parameters: "BusType" "CAN" for a CAN physical link, "TransportProtocolType"
// "ISO15765" for a stack with the ISO 15765-2 subset.
inline constexpr const wchar_t* kBusType = L"BusType";
inline constexpr const wchar_t* kBusTypeCan = L"CAN";
inline constexpr const wchar_t* kTransportProtocolType = L"TransportProtocolType";
inline constexpr const wchar_t* kTransportIso15765 = L"ISO15765";
inline constexpr std::string_view kTransportSubset = "ISO_15765_2";
bool IsCanLink(std::string_view physicalLinkType) noexcept;

}  // namespace OdxNames
}  // namespace Pelka
