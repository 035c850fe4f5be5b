// The host's C API contract, in C++ form (C++20; the add-on and the host are both C++): basic
// types, error codes and selector codes.
//
// Conventions of the whole contract (every header under api/ follows them):
//  - Threads: the host calls the add-on, and the add-on calls the host, on the host's
//    user-interface thread only. Nothing in the contract is thread-safe.
//  - Errors: every host operation returns a GSErrCode; 0 (NoError) is success. Nothing is ever
//    thrown across the border, in either direction.
//  - Records are plain data with a fixed layout (static_assert-ed below each record). The caller
//    zero-fills a record before it passes it, unless a call says otherwise.
//  - Ownership: a handle or pointer that the host allocates into a caller's record belongs to
//    the caller from then on and is released with the matching dispose call (BMKillHandle,
//    ACAPI_DisposeElemMemoHdls, ACAPI_DisposeAddParHdl). The host counts outstanding handles.
//  - Pointers passed into a host call are borrowed for the duration of that call only.
//  - Null pointers: a pointer argument may be null only where its note says so. A null one
//    elsewhere is refused and nothing happens: a host operation returns APIERR_BADPARS
//    (APIERR_NOMASK for a missing mask record); an add-on's entry point does nothing and
//    returns its refusal (APIERR_BADPARS, APIAddon_DontRegister) or, from a menu handler, 0.
//  - Text: Unicode text is NUL-terminated UTF-16 (GS::uchar_t); narrow text is the host's
//    default 8-bit code page (Windows-1252) unless a field says otherwise.
#pragma once

#include <cstddef>
#include <cstdint>

using Int8 = std::int8_t;
using UInt8 = std::uint8_t;
using Int16 = std::int16_t;
using UInt16 = std::uint16_t;
using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using GSErrCode = Int32;
using GSType = UInt32;  // a four-character code, first character in the highest byte

namespace GS {
using uchar_t = char16_t;
}

// A four-character selector or resource type: FourCC("GDAT") == 0x47444154.
constexpr GSType FourCC(const char (&code)[5]) {
    return (GSType(UInt8(code[0])) << 24) | (GSType(UInt8(code[1])) << 16) |
           (GSType(UInt8(code[2])) << 8) | GSType(UInt8(code[3]));
}
static_assert(FourCC("GDAT") == 0x47444154);

// ---- Error codes ----------------------------------------------------------------------------
constexpr GSErrCode NoError = 0;
constexpr GSErrCode APIERR_GENERAL = GSErrCode(0x81060001);      // general failure; also: the
                                                                 // entry table was never received
constexpr GSErrCode APIERR_MEMFULL = GSErrCode(0x81060002);      // out of memory
constexpr GSErrCode APIERR_BADPARS = GSErrCode(0x81060004);      // a parameter is null or invalid
constexpr GSErrCode APIERR_BADID = GSErrCode(0x81060006);        // unknown element type or selector
constexpr GSErrCode APIERR_BADINDEX = GSErrCode(0x81060007);     // library part index out of range
constexpr GSErrCode APIERR_BADDATABASE = GSErrCode(0x81060009);  // database type unknown
constexpr GSErrCode APIERR_BADWINDOW = GSErrCode(0x8106000A);    // window type unknown
constexpr GSErrCode APIERR_BADELEMENT = GSErrCode(0x8106000B);   // no element with that GUID
constexpr GSErrCode APIERR_NOLIBPART = GSErrCode(0x81060020);    // library part not found
constexpr GSErrCode APIERR_REFUSEDCMD = GSErrCode(0x81060030);   // refused in the current database
constexpr GSErrCode APIERR_BADVALUE = GSErrCode(0x81060031);     // a coordinate is not finite
constexpr GSErrCode APIERR_NOTSESSION = GSErrCode(0x81060040);   // no parameter session is open
constexpr GSErrCode APIERR_BADPARAMNAME = GSErrCode(0x81060041);  // no parameter of that name
constexpr GSErrCode APIERR_NOMASK = GSErrCode(0x81060068);        // change without a mask record
constexpr GSErrCode APIERR_BADTOKEN = GSErrCode(0x81060100);     // call with a token not handed out
constexpr GSErrCode APIERR_CANCEL = GSErrCode(0x81060200);       // the user cancelled
constexpr GSErrCode APIERR_MISSINGCODE = GSErrCode(0x81060387);  // the entry table slot is empty

// ---- Selectors --------------------------------------------------------------------------------
// ACAPI_Database
constexpr GSType APIDb_GetCurrentDatabaseID = FourCC("GDAT");     // par1: API_DatabaseInfo* (out)
constexpr GSType APIDb_ChangeCurrentDatabaseID = FourCC("CDAT");  // par1: API_DatabaseInfo* (in)
// ACAPI_Automate
constexpr GSType APIDo_ChangeWindowID = FourCC("CHWD");  // par1: API_WindowInfo* (in)
// ACAPI_Interface
constexpr GSType APIIo_GetPointID = FourCC("IPOI");            // par1: API_GetPointType* (in/out)
constexpr GSType APIIo_SetProcessValueID = FourCC("SPRV");     // par1: Int32* (in)
constexpr GSType APIIo_IsProcessCanceledID = FourCC("CANC");   // result non-zero once cancelled
constexpr GSType APIIo_CloseProcessWindowID = FourCC("CPWD");  // no parameters
// ACAPI_Goodies: the parameter session of one placed object
constexpr GSType APIAny_OpenParametersID = FourCC("OPAR");    // par1: API_ParamOwnerType* (in)
constexpr GSType APIAny_ChangeAParameterID = FourCC("CHGP");  // par1: API_ChangeParamType* (in)
constexpr GSType APIAny_GetActParametersID = FourCC("GPAR");  // par1: API_GetParamsType* (out)
constexpr GSType APIAny_CloseParametersID = FourCC("CPAR");   // no parameters

// ---- Element, database and library part type ids ---------------------------------------------
using API_ElemTypeID = Int32;
constexpr API_ElemTypeID API_ZombieElemID = 0;
constexpr API_ElemTypeID API_ObjectID = 6;

using API_DatabaseTypeID = Int32;
constexpr API_DatabaseTypeID APIWind_FloorPlanID = 1;
constexpr API_DatabaseTypeID APIWind_SectionID = 2;
constexpr API_DatabaseTypeID APIWind_3DModelID = 3;
constexpr API_DatabaseTypeID APIWind_LayoutID = 4;

using API_LibTypeID = Int32;
constexpr API_LibTypeID APILib_ObjectID = 4;

using API_AddParID = Int32;  // type of one parameter-list entry
constexpr API_AddParID APIParT_Integer = 1;
constexpr API_AddParID APIParT_Length = 2;
constexpr API_AddParID APIParT_RealNum = 3;
constexpr API_AddParID APIParT_Boolean = 4;
constexpr API_AddParID APIParT_CString = 5;  // Unicode text in value.uStr

// Add-on types that CheckEnvironment returns.
using API_AddonType = Int32;
constexpr API_AddonType APIAddon_DontRegister = 0;
constexpr API_AddonType APIAddon_Normal = 1;

// The host application ids of API_ServerApplicationInfo::serverApplication.
constexpr Int32 APIAppl_ArchiCADID = 1;

// The host token handed to Initialize and passed back as the first argument of every entry.
using API_Token = UInt64;
