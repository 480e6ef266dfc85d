#include "nosl/ZCo447VarSectionTester.h"

#include "core/RunSettings.h"
#include "framework/Markers.h"
#include "util/StringFormat.h"

namespace {

const char* const kBeforeNodeId[] = {
    "variables",
    "{",
    "  // Global variables",
};

// The node id line: "%2d" keeps the semicolon in the same column for one-
// and two-digit ids.
const char* const kNodeIdLine = "  BYTE gNodeId                = %2d;         // node ID of test module";

// gNodeLabel names the node in the debug messages of the SDO channel
// function; the tester script is standalone, so it must declare it itself.
const char* const kAfterNodeId[] = {
    "  dword errCode[1];                         // the error code",
    "  char errBuffer[1024];                     // error text in case of an error",
    "  dword gStartNode            =  1;         // to check if we are allowed to start the tester",
    "  char gNodeLabel[32]         = \"TESTER\";   // name of this node in debug messages",
    "",
    "  // Definition of debugging constants",
    "  const int kDbgInfo          = 10;",
    "  const int kDbgError         = 1;",
    "  int gOutputLevelNL          = 10;         // output level for the NodeLayer DLL (for more information refer",
    "",
    "  // CANopen constants",
    "  const int kBool             = 1;          // Size of BOOL",
    "  const int kUInt8            = 1;          // Size of UNSIGNED8",
    "  const int kUInt16           = 2;          // Size of UNSIGNED16",
    "  const int kUInt24           = 3;          // Size of UNSIGNED24",
    "  const int kUInt32           = 4;          // Size of UNSIGNED32",
    "  const int kUInt40           = 5;          // Size of UNSIGNED40",
    "  const int kUInt48           = 6;          // Size of UNSIGNED48",
    "  const int kUInt56           = 7;          // Size of UNSIGNED56",
    "  const int kUInt64           = 8;          // Size of UNSIGNED64",
    "  const int kInt8             = 1;          // Size of INTEGER8",
    "  const int kInt16            = 2;          // Size of INTEGER16",
    "  const int kInt24            = 3;          // Size of INTEGER24",
    "  const int kInt32            = 4;          // Size of INTEGER32",
    "  const int kInt40            = 5;          // Size of INTEGER40",
    "  const int kInt48            = 6;          // Size of INTEGER48",
    "  const int kInt56            = 7;          // Size of INTEGER56",
    "  const int kInt64            = 8;          // Size of INTEGER64",
    "  const int kRO               = 0;          // Read only access",
    "  const int kRW               = 1;          // Read/Write access",
    "  const int kWO               = 2;          // Write only access",
    "  const int kRWmapRPDO        = 3;          // Read/Write access, mappable to Rx PDO",
    "  const int kRWmapTPDO        = 4;          // Read/Write access, mappable to Tx PDO",
    "  const int kROmap            = 5;          // Read only access, mappable to PDO",
    "  const int kWOmap            = 6;          // Write only access, mappable to PDO",
    "  const int kAppl             = 7;          // handled in application",
    "",
    "  // CANopen type definitions",
    "  const int kTypeBool         = 0x01;       // data type code of BOOL",
    "  const int kTypeInt8         = 0x02;       // data type code of INTEGER8",
    "  const int kTypeInt16        = 0x03;       // data type code of INTEGER16",
    "  const int kTypeInt32        = 0x04;       // data type code of INTEGER32",
    "  const int kTypeUInt8        = 0x05;       // data type code of UNSIGNED8",
    "  const int kTypeUInt16       = 0x06;       // data type code of UNSIGNED16",
    "  const int kTypeUInt32       = 0x07;       // data type code of UNSIGNED32",
    "  const int kTypeReal32       = 0x08;       // data type code of REAL32",
    "  const int kTypeVisString    = 0x09;       // data type code of VISIBLE STRING",
    "  const int kTypeOctString    = 0x0A;       // data type code of OCTET STRING",
    "  const int kTypeDomain       = 0x0F;       // data type code of DOMAIN",
    "  const int kTypeInt24        = 0x10;       // data type code of INTEGER24",
    "  const int kTypeReal64       = 0x11;       // data type code of REAL64",
    "  const int kTypeInt40        = 0x12;       // data type code of INTEGER40",
    "  const int kTypeInt48        = 0x13;       // data type code of INTEGER48",
    "  const int kTypeInt56        = 0x14;       // data type code of INTEGER56",
    "  const int kTypeInt64        = 0x15;       // data type code of INTEGER64",
    "  const int kTypeUInt24       = 0x16;       // data type code of UNSIGNED24",
    "  const int kTypeUInt40       = 0x18;       // data type code of UNSIGNED40",
    "  const int kTypeUInt48       = 0x19;       // data type code of UNSIGNED48",
    "  const int kTypeUInt56       = 0x1A;       // data type code of UNSIGNED56",
    "  const int kTypeUInt64       = 0x1B;       // data type code of UNSIGNED64",
    "",
    "  // SDO abort codes",
    "  const dword kTogNotAltered  = 0x05030000; // Toggle bit not alternated",
    "  const dword kSdoTimeOut     = 0x05040000; // SDO protocol timed out",
    "  const dword kUnknownCS      = 0x05040001; // Client/server command specifier not valid or unknown",
    "  const dword kInvalBlkSize   = 0x05040002; // Invalid block size (block mode only)",
    "  const dword kInvalSeqNum    = 0x05040003; // Invalid sequence number (block mode only)",
    "  const dword kCrcError       = 0x05040004; // CRC error (block mode only)",
    "  const dword kOutOfMem       = 0x05040005; // Out of memory",
    "  const dword kAccNotSupp     = 0x06010000; // Unsupported access to an object",
    "  const dword kWrOnlyObj      = 0x06010001; // Attempt to read a write only object",
    "  const dword kRdOnlyObj      = 0x06010002; // Attempt to write a read only object",
    "  const dword kObjNotExist    = 0x06020000; // Object does not exist in the object dictionary",
    "  const dword kNotMapped      = 0x06040041; // Object cannot be mapped to the PDO",
    "  const dword kMapIncons      = 0x06040042; // The number and length of the objects to be mapped would exceed PDO length",
    "  const dword kGenParaInc     = 0x06040043; // General parameter incompatibility reason",
    "  const dword kGenIntPara     = 0x06040047; // General internal incompatibility in the device",
    "  const dword kAccFailHW      = 0x06060000; // Access failed due to an hardware error",
    "  const dword kLenNotMatch    = 0x06070010; // Data type does not match, length of service parameter does not match",
    "  const dword kLenToHigh      = 0x06070012; // Data type does not match, length of service parameter too high",
    "  const dword kLenToLow       = 0x06070013; // Data type does not match, length of service parameter too low",
    "  const dword kNoSubIndex     = 0x06090011; // Sub-index does not exist",
    "  const dword kValRngExceeded = 0x06090030; // Value range of parameter exceeded (only for write access)",
    "  const dword kParaToHigh     = 0x06090031; // Value of parameter written too high",
    "  const dword kParaToLow      = 0x06090032; // Value of parameter written too low",
    "  const dword kMaxLessMin     = 0x06090036; // Maximum value is less than minimum value",
    "  const dword kGenericError   = 0x08000000; // general error",
    "  const dword kNotStored      = 0x08000020; // Data cannot be transferred or stored to the application",
    "  const dword kLocalControl   = 0x08000021; // Data cannot be transferred or stored to the application because of local control",
    "  const dword kLocalState     = 0x08000022; // Data cannot be transferred or stored to the application because of the present device state",
    "  const dword kOdGenFailed    = 0x08000023; // Object dictionary dynamic generation fails or no object dictionary is present (e.g. object dictionary is generated from file and generation fails because of an file error)",
    "  const dword kDataSetEmpty   = 0x08000024; // Data set empty",
    "}",
};

}  // namespace

bool ZCo447VarSectionTester::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, kVariablesMarker);
  stream.lines(kBeforeNodeId);
  stream.line(strFormat(kNodeIdLine, static_cast<int>(runSettings().testerNodeId())));
  stream.lines(kAfterNodeId);
  writeMarkerEnd(stream);
  return true;
}
