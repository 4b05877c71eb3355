#include "Vocabulary.h"

namespace NComParamMan {
namespace Vocab {

namespace {

constexpr unsigned kUnrestricted = 0;  // a range of 0 to 0 accepts every number
constexpr unsigned kOneByte = 255;

constexpr const wchar_t* kAddrSchemeValues[] = {kNormal, kExtended, kNormalFixed, kMixed, nullptr};
constexpr const wchar_t* kCanIdTypeValues[] = {k11Bit, k29Bit, kJ1939, nullptr};
constexpr const wchar_t* kBusTypeValues[] = {kCan, nullptr};
constexpr const wchar_t* kTransportProtocolTypeValues[] = {kIso15765, nullptr};

// Shared by the physical and the functional priority; for the user only, the range is one byte.
constexpr const wchar_t* kTxPriorityDescription =
    L"The priority is user defined with a default value of six (6). The three bits priority "
    L"field is used to optimize message latency for transmission onto the CAN bus only. The "
    L"priority field should be masked off by the receiver (ignored). The priority of any CAN "
    L"message can be set from highest, 0 (000 bin), to lowest, 7 (111 bin).";

// Every number of the catalogue starts at 0 and defaults to 0.
constexpr ZCatalogueRow Number(const wchar_t* qualifier, const wchar_t* displayName,
                               const wchar_t* description, unsigned stopRange) {
  return {qualifier, displayName, description, ZComParam::CPTUnsigned, nullptr, 0, stopRange, 0};
}

constexpr ZCatalogueRow Text(const wchar_t* qualifier, const wchar_t* displayName,
                             const wchar_t* description, const wchar_t* const* permittedValues) {
  return {qualifier, displayName, description, ZComParam::CPTString, permittedValues, 0, 0, 0};
}

}  // namespace

const std::array<ZCatalogueRow, kCatalogueSize> kCatalogue = {{
    Number(kS3Server, kS3Server,
           L"Time for the server to keep a diagnostic session other than the defaultSession "
           L"active while not receiving any diagnostic request message",
           kUnrestricted),
    Number(kS3Client, kS3Client,
           L"Time between functionally addressed Tester Present request messages transmitted by "
           L"the client to keep a diagnostic session other than the defaultSession active in "
           L"multiple servers (functional communication) or maximum time between physically "
           L"transmitted request messages to a single server (physical communication).",
           kUnrestricted),
    Number(kP2Client, kP2Client,
           L"Timeout for the client to wait after the successful transmission of a request "
           L"message for the start of incoming response messages. In UDS this is the timeout for "
           L"the default session.",
           kUnrestricted),
    Number(kP2Server, kP2Server,
           L"Performance requirement for the server to start with the response message after the "
           L"reception of a request message. In UDS this is the timeout for the default "
           L"session.The tester will also require the P2Server timeout, since in UDS service "
           L"\"DiagnosticSessionControl\"returns the P2Server and P2*Server timeouts \u2013 the "
           L"tester has to calculate the offset manually and has to add it to the returned "
           L"P2Server and P2*Server timeouts.",
           kUnrestricted),
    Number(kP2ExClient, L"P2*Client",
           L"Enhanced timeout for the client to wait after the reception of a negative response "
           L"message with response code 78 hex for the start of incoming response messages. In "
           L"UDS this is the timeout for the default session.",
           kUnrestricted),
    Number(kP2ExServer, L"P2*Server",
           L"Performance requirement for the server to start with the response message after the "
           L"transmission of a negative response message with response code 78 hex (enhanced "
           L"response timing). In UDS this is the timeout for the default session.",
           kUnrestricted),
    Number(kP3ClientPhys, kP3ClientPhys,
           L"Minimum time for the client to wait after the successful transmission of a "
           L"physically addressed request message (indicated via N_USData.con) with no response "
           L"required before it can transmit the next physically addressed request message.\n"
           L"Minimum value = P2Server",
           kUnrestricted),
    Number(kP3ClientFunc, kP3ClientFunc,
           L"Minimum time for the client to wait after the successful transmission of a "
           L"functionally addressed request message (indicated via N_USData.con) before it can "
           L"transmit the next functionally addressed request message in case no response is "
           L"required or the requested data is only supported by a subset of the functionally "
           L"addressed servers.\n"
           L"Minimum value = P2Server.",
           kUnrestricted),
    Number(kP3Server, kP3Server,
           L"Time between end of ECU responses and start of new tester request", kUnrestricted),
    Number(kBlocksize, kBlocksize,
           L"The Blocksize parameter indicates, how many consecutive frames shall be sent in a "
           L"transmission before a flow control frame is sent. The number 0 tells the sender, "
           L"that no more flow controls should disrupt the sending of the remaining flow controls",
           kUnrestricted),
    Number(kStMin, kStMinDisplayName,
           L"(Separation Time) defines the minimum time gap between consecutive frames.Values "
           L"from 0x00 to 0x7F (0 \u2013 127) are absolute milliseconds.Values from 0xF1 to 0xF9 "
           L"are even 100 micro seconds.Every other value range is reserved and should not be "
           L"used.",
           kUnrestricted),
    Number(kTimeoutAr, L"Timeout Ar", L"Time for transmission of frame, receiver side",
           kUnrestricted),
    Number(kTimeoutAs, L"Timeout As", L"Time for transmission of frame, sender side",
           kUnrestricted),
    Number(kTimeoutBs, L"Timeout Bs", L"Time until reception of next flow control", kUnrestricted),
    Number(kTimeBr, L"Time Br", L"Time for next transmission of flow control", kUnrestricted),
    Number(kTimeCs, L"Time Cs", L"Time until next transmission of consecutive frame",
           kUnrestricted),
    Number(kTimeoutCr, L"Timeout Cr", L"Time until reception of next consecutive frame",
           kUnrestricted),
    Number(kMaxLengthTpMessage, L"Max Length of TP Message", L"", kUnrestricted),
    Number(kBaudrate, kBaudrate,
           L"Bus Speed of the used transport media. Caution, the Bus Speed has to be set "
           L"identical in all ECUs connected to one subnet.",
           kUnrestricted),
    Text(kAddrScheme, L"Addressing Scheme",
         L"Addressing Scheme used for physical requests and responses.", kAddrSchemeValues),
    Text(kCanIdType, L"CAN-ID Type", L"CAN-ID Type used for physical requests and responses",
         kCanIdTypeValues),
    Text(kCanIdTypeFunc, L"Functional CAN-ID Type", L"CAN-ID Type used for functional request",
         kCanIdTypeValues),
    Text(kAddrSchemeFunc, L"Functional Addressing Scheme",
         L"Addressing Scheme used for functional requests.", kAddrSchemeValues),
    Number(kReqCanId, L"Request CAN-ID",
           L"The request CAN identifier for physical requests. The hex value not only describes "
           L"the identifier but also the priority of the message. The higher the number, the "
           L"lower the priority. ",
           kUnrestricted),
    Number(kReqCanIdFunc, L"Functional Request CAN-ID",
           L"The request CAN identifier for functional requests.", kUnrestricted),
    Number(kResCanId, L"Response CAN-ID",
           L"The response CAN identifier for physical responses.The response for functional "
           L"requests is sent via the physical path.",
           kUnrestricted),
    Number(kUudtResCanId, L"UUDT Response CAN-ID",
           L"UUDT Response CAN-ID used for multiple responses and/or periodic responses.",
           kUnrestricted),
    Number(kEcuAddress, L"ECU Address", L"Physical diagnostic address of the ECU.", kOneByte),
    Number(kDefaultTxPriority, L"Default Tx-Priority", kTxPriorityDescription, kOneByte),
    Number(kDefaultTxPriorityFunc, L"Functional Default Tx-Priority", kTxPriorityDescription,
           kOneByte),
    Number(kAddressExtension, L"Address Extension",
           L"Address Extension transmitted with the first data byte of the message frame. The "
           L"Address Extension usually specifies a different subnet.",
           kOneByte),
    Number(kBroadcastAddress, L"Broadcast Address",
           L"Address of the functional group the ECU belongs to.", kOneByte),
    Number(kBaseAddress, L"Base Address",
           L"Using Extended Addressing with Base Address mechanism, the CAN-ID is calculated by "
           L"Base Address plus Source Address. \n"
           L"e.g. BaseAddress = 0x700, DefaultTesterAddress = 0xF1 => RequestCanId = 0x7F1",
           kUnrestricted),
    Number(kDefaultTesterAddress, L"Default Tester Address",
           L"Usind this Addressing Scheme the ECU can determine the Tester Address required for "
           L"the response direction from the received request. Therefore only a default Tester "
           L"Address is required.",
           kOneByte),
    Number(kTesterAddress, L"Tester Address",
           L"Using this Addressing Scheme, the Tester Address can not be determined by the ECU "
           L"during runtime. Therefore the Tester Address has to be fixed.",
           kOneByte),
    Text(kBusType, L"Bus Type", L"Type of transport media", kBusTypeValues),
    Text(kTransportProtocolType, L"Transport Protocol Type",
         L"Type of used Transport Protocol (e.g. ISO15765)", kTransportProtocolTypeValues),
}};

}  // namespace Vocab
}  // namespace NComParamMan
