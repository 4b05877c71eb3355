// The normalized vocabulary: qualifiers, values and the catalogue rows, each text written once.
#pragma once

#include <comparam/ComParam.h>

#include <array>
#include <cstddef>

namespace NComParamMan {
namespace Vocab {

// Normalized qualifiers, in catalogue order.
inline constexpr const wchar_t* kS3Server = L"S3Server";
inline constexpr const wchar_t* kS3Client = L"S3Client";
inline constexpr const wchar_t* kP2Client = L"P2Client";
inline constexpr const wchar_t* kP2Server = L"P2Server";
inline constexpr const wchar_t* kP2ExClient = L"P2ExClient";
inline constexpr const wchar_t* kP2ExServer = L"P2ExServer";
inline constexpr const wchar_t* kP3ClientPhys = L"P3ClientPhys";
inline constexpr const wchar_t* kP3ClientFunc = L"P3ClientFunc";
inline constexpr const wchar_t* kP3Server = L"P3Server";
inline constexpr const wchar_t* kBlocksize = L"Blocksize";
inline constexpr const wchar_t* kStMin = L"StMin";
inline constexpr const wchar_t* kTimeoutAr = L"TimeoutAr";
inline constexpr const wchar_t* kTimeoutAs = L"TimeoutAs";
inline constexpr const wchar_t* kTimeoutBs = L"TimeoutBs";
inline constexpr const wchar_t* kTimeBr = L"TimeBr";
inline constexpr const wchar_t* kTimeCs = L"TimeCs";
inline constexpr const wchar_t* kTimeoutCr = L"TimeoutCr";
inline constexpr const wchar_t* kMaxLengthTpMessage = L"MaxLengthTpMessage";
inline constexpr const wchar_t* kBaudrate = L"Baudrate";
inline constexpr const wchar_t* kAddrScheme = L"AddrScheme";
inline constexpr const wchar_t* kCanIdType = L"CanIdType";
inline constexpr const wchar_t* kCanIdTypeFunc = L"CanIdTypeFunc";
inline constexpr const wchar_t* kAddrSchemeFunc = L"AddrSchemeFunc";
inline constexpr const wchar_t* kReqCanId = L"ReqCanId";
inline constexpr const wchar_t* kReqCanIdFunc = L"ReqCanIdFunc";
inline constexpr const wchar_t* kResCanId = L"ResCanId";
inline constexpr const wchar_t* kUudtResCanId = L"UudtResCanId";
inline constexpr const wchar_t* kEcuAddress = L"EcuAddress";
inline constexpr const wchar_t* kDefaultTxPriority = L"DefaultTxPriority";
inline constexpr const wchar_t* kDefaultTxPriorityFunc = L"DefaultTxPriorityFunc";
inline constexpr const wchar_t* kAddressExtension = L"AddressExtension";
inline constexpr const wchar_t* kBroadcastAddress = L"BroadcastAddress";
inline constexpr const wchar_t* kBaseAddress = L"BaseAddress";
inline constexpr const wchar_t* kDefaultTesterAddress = L"DefaultTesterAddress";
inline constexpr const wchar_t* kTesterAddress = L"TesterAddress";
inline constexpr const wchar_t* kBusType = L"BusType";
inline constexpr const wchar_t* kTransportProtocolType = L"TransportProtocolType";

// A display name that documents also use as a qualifier alias.
inline constexpr const wchar_t* kStMinDisplayName = L"STmin";

// Fill-byte parameters: part of the vocabulary, but the catalogue builds no prototype for them.
inline constexpr const wchar_t* kCanFrameFillerByte = L"CANFrameFillerByte";
inline constexpr const wchar_t* kFillerByteHandling = L"FillerByteHandling";

// Normalized values of the enumerated parameters.
inline constexpr const wchar_t* kNormal = L"Normal";
inline constexpr const wchar_t* kExtended = L"Extended";
inline constexpr const wchar_t* kNormalFixed = L"NormalFixed";
inline constexpr const wchar_t* kMixed = L"Mixed";
inline constexpr const wchar_t* k11Bit = L"11-Bit";
inline constexpr const wchar_t* k29Bit = L"29-Bit";
inline constexpr const wchar_t* kJ1939 = L"J1939";
inline constexpr const wchar_t* kCan = L"CAN";
inline constexpr const wchar_t* kIso15765 = L"ISO15765";
inline constexpr const wchar_t* kFalse = L"false";
inline constexpr const wchar_t* kTrue = L"true";

// One normalized parameter as the catalogue builds its prototype.
struct ZCatalogueRow {
  const wchar_t* qualifier;
  const wchar_t* displayName;
  const wchar_t* description;
  ZComParam::ZComParamType valueType;
  // Text parameters: the permitted values, ended by a null entry. Numbers: null.
  const wchar_t* const* permittedValues;
  // Numbers only; a range of 0 to 0 places no restriction on the value.
  unsigned startRange;
  unsigned stopRange;
  unsigned defaultValue;
};

inline constexpr std::size_t kCatalogueSize = 37;

// The normalized parameters in the order the catalogue registers them.
extern const std::array<ZCatalogueRow, kCatalogueSize> kCatalogue;

}  // namespace Vocab
}  // namespace NComParamMan
