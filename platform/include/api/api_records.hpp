// The host's C API contract, in C++ form: the records that cross the border.
// Layouts are fixed: each record's size and field offsets are pinned by static_assert.
#pragma once

#include <cstring>

#include "api/api_base.hpp"

// The host's 128-bit element identifier.
struct API_Guid {
    UInt32 time_low;
    UInt16 time_mid;
    UInt16 time_hi_and_version;
    UInt8 clock_seq_hi_and_reserved;
    UInt8 clock_seq_low;
    UInt8 node[6];
};
static_assert(sizeof(API_Guid) == 16);

inline bool operator==(const API_Guid& a, const API_Guid& b) {
    return a.time_low == b.time_low && a.time_mid == b.time_mid &&
           a.time_hi_and_version == b.time_hi_and_version &&
           a.clock_seq_hi_and_reserved == b.clock_seq_hi_and_reserved &&
           a.clock_seq_low == b.clock_seq_low && a.node[0] == b.node[0] && a.node[1] == b.node[1] &&
           a.node[2] == b.node[2] && a.node[3] == b.node[3] && a.node[4] == b.node[4] &&
           a.node[5] == b.node[5];
}

struct API_Coord {
    double x;
    double y;
};

struct API_Coord3D {
    double x;
    double y;
    double z;
};

// The header of every element record.
struct API_Elem_Head {
    API_ElemTypeID typeID;  // API_ObjectID for library-part objects
    Int16 variationID;      // 0: the generic variation
    Int16 reserved0;
    API_Guid guid;         // filled by ACAPI_Element_Create; the key of every other element call
    UInt64 modiStamp;      // set by the host; grows with every change of the element
    API_Guid groupGuid;    // zero: not grouped
    API_Guid hotlinkGuid;  // zero: not part of a hotlinked module
    bool hasMemo;          // set by the host: the element has a memo (ID text, parameters)
    UInt8 reserved1;
    Int16 floorInd;  // story index; 0 is the ground floor
    Int32 reserved2;
    Int16 layer;  // layer index; 0 asks the host for its default layer on creation
    Int16 reserved3;
    UInt8 reserved4;
    UInt8 drawIndex;  // drawing order; 0xFF asks the host to draw the element on top
    UInt16 reserved5;
};
static_assert(sizeof(API_Elem_Head) == 80);
static_assert(offsetof(API_Elem_Head, guid) == 8);
static_assert(offsetof(API_Elem_Head, hasMemo) == 64);
static_assert(offsetof(API_Elem_Head, layer) == 72);
static_assert(offsetof(API_Elem_Head, drawIndex) == 77);

constexpr Int16 API_DefaultLayer = 0;
constexpr UInt8 API_DrawOnTop = 0xFF;

// An object element: one placed instance of a library part.
struct API_ObjectType {
    API_Elem_Head head;
    Int32 libInd;  // index of the library part; 0 is no part
    Int32 reserved0;
    double xRatio;  // nominal size a, metres
    double yRatio;  // nominal size b, metres
    API_Coord pos;  // position on the plan, metres
    double level;   // elevation, metres
    double angle;   // rotation, radians
};
static_assert(offsetof(API_ObjectType, libInd) == 80);
static_assert(offsetof(API_ObjectType, xRatio) == 88);
static_assert(offsetof(API_ObjectType, yRatio) == 96);
static_assert(offsetof(API_ObjectType, pos) == 104);
static_assert(offsetof(API_ObjectType, level) == 120);
static_assert(offsetof(API_ObjectType, angle) == 128);
static_assert(sizeof(API_ObjectType) == 136);

// Any element record. Room is kept for element types that the contract may add.
union API_Element {
    API_Elem_Head header;
    API_ObjectType object;
    UInt8 reserved[256];
};
static_assert(sizeof(API_Element) == 256);

// Mask records: a zero-filled API_Element in which the fields to change are set to all-one
// bytes. The host changes a field when any byte of it in the mask is non-zero.
#define ACAPI_ELEMENT_MASK_CLEAR(mask) std::memset(&(mask), 0, sizeof(API_Element))
#define ACAPI_ELEMENT_MASK_SET(mask, type, field)               \
    std::memset(&reinterpret_cast<type*>(&(mask))->field, 0xFF, \
                sizeof(reinterpret_cast<type*>(&(mask))->field))

// One entry of a library part's parameter list.
struct API_AddParType {
    API_AddParID typeID;  // APIParT_...
    Int16 index;          // position in the list, 0-based
    Int16 flags;
    char name[32];  // ASCII name, NUL-terminated, at most 31 characters
    Int32 typeMod;  // 0: a single value
    Int32 reserved;
    union {
        double real;            // numbers, lengths and booleans
        GS::uchar_t uStr[256];  // APIParT_CString: NUL-terminated Unicode text
    } value;
};
static_assert(offsetof(API_AddParType, name) == 8);
static_assert(offsetof(API_AddParType, value) == 48);
static_assert(sizeof(API_AddParType) == 560);

// An element's memo: data that is too variable for the element record. Each member is a host
// handle or null. The host allocates what it fills in; the caller frees all of it with
// ACAPI_DisposeElemMemoHdls. A caller may also fill a member with a handle of its own
// (BMAllocateHandle) before passing the memo; dispose frees it the same way.
struct API_ElementMemo {
    GS::uchar_t** elemInfoString;  // element ID text, NUL-terminated Unicode
    API_AddParType** params;       // parameter list; entry count = handle size / 560
    void* reserved[6];
};
static_assert(offsetof(API_ElementMemo, params) == 8);
static_assert(sizeof(API_ElementMemo) == 64);

// Memo masks for ACAPI_Element_GetMemo: which members to fill.
constexpr UInt64 APIMemoMask_ElemInfoString = 0x0000000000000001ull;
constexpr UInt64 APIMemoMask_AddPars = 0x0000000000000004ull;
constexpr UInt64 APIMemoMask_All = 0x07FFFFFFBFFFFFFFull;

// A library part of the loaded libraries.
struct API_LibPart {
    API_LibTypeID typeID;         // APILib_ObjectID
    Int32 index;                  // 1-based index among the loaded parts; 0 is none
    GS::uchar_t file_UName[256];  // file name, e.g. "Stakemark.gsm"
    GS::uchar_t docu_UName[256];  // the part's own name
    bool isPlaceable;
    UInt8 reserved[7];
};
static_assert(offsetof(API_LibPart, file_UName) == 8);
static_assert(offsetof(API_LibPart, docu_UName) == 520);
static_assert(sizeof(API_LibPart) == 1040);

// A database (the model view of a window).
struct API_DatabaseInfo {
    API_DatabaseTypeID typeID;  // APIWind_...
    Int32 index;
    API_Guid databaseUnId;
    GS::uchar_t name[128];
};
static_assert(offsetof(API_DatabaseInfo, databaseUnId) == 8);
static_assert(sizeof(API_DatabaseInfo) == 280);

// A window of the host.
struct API_WindowInfo {
    API_DatabaseTypeID typeID;  // APIWind_...: the window of that database type
    Int32 index;
    API_Guid databaseUnId;
    UInt8 reserved[16];
};
static_assert(sizeof(API_WindowInfo) == 40);

// Point input ('IPOI').
struct API_GetPointType {
    char prompt[256];   // narrow text shown to the user, NUL-terminated
    bool changeFilter;  // let the user change the snap filter
    bool changePlane;   // let the user change the input plane
    UInt8 reserved0[6];
    API_Coord3D pos;  // out: the clicked point
    UInt8 reserved1[8];
};
static_assert(offsetof(API_GetPointType, pos) == 264);
static_assert(sizeof(API_GetPointType) == 296);

// The parameter session of one placed object ('OPAR', 'CHGP', 'GPAR', 'CPAR').
struct API_ParamOwnerType {
    API_Guid guid;  // the placed object; zero: the defaults of part libInd
    Int32 libInd;   // with a non-zero guid: 0, the part of the placed object
    API_ElemTypeID typeID;
};
static_assert(sizeof(API_ParamOwnerType) == 24);

struct API_ChangeParamType {
    Int32 index;    // 0: find the parameter by name
    char name[32];  // ASCII parameter name
    Int32 reserved0;
    double realValue;              // new value of a number parameter
    const GS::uchar_t* uStrValue;  // new value of a text parameter; borrowed for the call
    UInt8 reserved1[16];
};
static_assert(offsetof(API_ChangeParamType, realValue) == 40);
static_assert(offsetof(API_ChangeParamType, uStrValue) == 48);
static_assert(sizeof(API_ChangeParamType) == 72);

struct API_GetParamsType {
    double a;
    double b;
    API_AddParType**
        params;  // out: the session's list; the caller frees it (ACAPI_DisposeAddParHdl)
    UInt8 reserved[8];
};
static_assert(sizeof(API_GetParamsType) == 32);

// The menu item that the user picked.
struct API_MenuItemRef {
    Int16 menuResID;  // the menu resource id the item was registered with
    Int16 itemIndex;  // 1-based item in that resource
};
struct API_MenuParams {
    API_MenuItemRef menuItemRef;
    UInt8 reserved[12];
};
static_assert(offsetof(API_MenuParams, menuItemRef) == 0);
static_assert(sizeof(API_MenuParams) == 16);

// What CheckEnvironment learns of the host and tells it of the add-on.
struct API_ServerApplicationInfo {
    Int32 serverApplication;  // APIAppl_ArchiCADID for the building-design host
    Int32 mainVersion;        // 22
    Int32 releaseVersion;
    Int32 reserved;
};
struct API_AddOnInfo {
    char name[256];         // out: the add-on's name, narrow text
    char description[256];  // out: what it does, narrow text
};
struct API_EnvirParams {
    API_ServerApplicationInfo serverInfo;
    API_AddOnInfo addOnInfo;
};
static_assert(sizeof(API_EnvirParams) == 528);
static_assert(offsetof(API_EnvirParams, addOnInfo) == 16);
