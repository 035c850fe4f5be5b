// The host's C API contract, in C++ form: the handshake record, the add-on's entry points and the
// host's entry table.
//
// Loading, in this order (the host does each step once, on its user-interface thread):
//  1. GetExportedFuncAddrs(record): the add-on fills the zeroed 120-byte API_ExportRecord.
//     The host refuses the add-on when API_HostAcceptsContract(apiVersion) is false, when
//     minHostVersion is above its own release, or when an entry point is null.
//  2. SetImportedFuncAddrs(table): the add-on copies the host's API_EntryTable (4,152 bytes);
//     the host's table is borrowed for that call only.
//  3. checkEnvironment, registerInterface, initialize(token); then menu picks; then freeData.
//  4. The host unloads the module.
//
// Every entry of the table takes the host token as its first argument. The token is 0 until
// initialize hands it over (menu registration happens before that and is the one call the host
// takes with token 0). An empty slot is null; the add-on must not call it.
// The table only grows at its end: slots are never moved, removed or reused.
#pragma once

#include "api/api_records.hpp"

// A contract version is its major number in the high 16 bits and its revision in the low 16.
// A revision only adds: entries at the table's end, fields in the reserved room of records. So
// an add-on of an older revision finds everything it was built against; a new major number may
// change anything.
constexpr UInt32 API_ContractVersion = 0x160001;  // contract 22, revision 1
constexpr UInt32 API_HostRelease = 22000;         // the host's release: major * 1000 + minor

constexpr UInt32 API_ContractMajor(UInt32 version) {
    return version >> 16;
}
constexpr UInt32 API_ContractRevision(UInt32 version) {
    return version & 0xFFFF;
}

// Whether this host runs an add-on built against contract addOnContract: the same major
// version, and a revision no newer than the host's.
constexpr bool API_HostAcceptsContract(UInt32 addOnContract) {
    return API_ContractMajor(addOnContract) == API_ContractMajor(API_ContractVersion) &&
           API_ContractRevision(addOnContract) <= API_ContractRevision(API_ContractVersion);
}

// ---- The add-on's entry points ---------------------------------------------------------------
using API_CheckEnvironmentProc = API_AddonType (*)(API_EnvirParams* envir);
using API_RegisterInterfaceProc = GSErrCode (*)();
using API_InitializeProc = GSErrCode (*)(API_Token token);
using API_FreeDataProc = GSErrCode (*)();
// Called when the user picks a registered menu item; runs the command to its end.
using API_MenuCommandProc = GSErrCode (*)(const API_MenuParams* params);
// The body of an undoable step; userData is what the add-on passed with it.
using API_UndoableCommandProc = GSErrCode (*)(void* userData);

// Filled by the add-on's GetExportedFuncAddrs.
struct API_ExportRecord {
    UInt32 apiVersion;  // API_ContractVersion the add-on was built against
    UInt32 reserved0;
    API_CheckEnvironmentProc checkEnvironment;
    API_RegisterInterfaceProc registerInterface;
    API_InitializeProc initialize;
    API_FreeDataProc freeData;
    UInt32 minHostVersion;  // lowest host release the add-on runs on (API_HostRelease form)
    UInt32 reserved1;
    UInt64 reserved[9];
};
static_assert(sizeof(API_ExportRecord) == 120);
static_assert(offsetof(API_ExportRecord, checkEnvironment) == 8);
static_assert(offsetof(API_ExportRecord, registerInterface) == 16);
static_assert(offsetof(API_ExportRecord, initialize) == 24);
static_assert(offsetof(API_ExportRecord, freeData) == 32);
static_assert(offsetof(API_ExportRecord, minHostVersion) == 40);

// ---- The host's operations -------------------------------------------------------------------
// Records passed by pointer are borrowed for the call. Out-handles are owned by the caller after
// a successful call.
extern "C" {
using ACAPI_Register_Menu_Fn = GSErrCode (*)(API_Token, Int16 menuStrResID, Int16 promptStrResID,
                                             Int32 menuPosCode, Int32 menuFlags);
using ACAPI_Install_MenuHandler_Fn = GSErrCode (*)(API_Token, Int16 menuStrResID,
                                                   API_MenuCommandProc handler);
using ACAPI_Database_Fn = GSErrCode (*)(API_Token, GSType selector, void* par1, void* par2,
                                        void* par3);
using ACAPI_Automate_Fn = ACAPI_Database_Fn;
using ACAPI_Interface_Fn = ACAPI_Database_Fn;
using ACAPI_Goodies_Fn = GSErrCode (*)(API_Token, GSType selector, void* par1, void* par2,
                                       void* par3, void* par4);
using ACAPI_LibPart_Search_Fn = GSErrCode (*)(API_Token, API_LibPart* part, bool createIfMissing,
                                              bool onlyPlaceable);
using ACAPI_LibPart_Get_Fn = GSErrCode (*)(API_Token, API_LibPart* part);
// addPars: out, a new handle of addParNum entries (the part's defaults)
using ACAPI_LibPart_GetParams_Fn = GSErrCode (*)(API_Token, Int32 libInd, double* a, double* b,
                                                 Int32* addParNum, API_AddParType*** addPars);
using ACAPI_Element_GetDefaults_Fn = GSErrCode (*)(API_Token, API_Element* element,
                                                   API_ElementMemo* memo);
// title: Unicode; one undo step named so; returns what command returned
using ACAPI_CallUndoableCommand_Fn = GSErrCode (*)(API_Token, const GS::uchar_t* title,
                                                   API_UndoableCommandProc command, void* userData);
using ACAPI_Element_Create_Fn = GSErrCode (*)(API_Token, API_Element* element,
                                              API_ElementMemo* memo);
// guids: out, a new handle of count GUIDs (freed with BMKillHandle); renovationFilter may be null
using ACAPI_Element_GetElemList_Fn = GSErrCode (*)(API_Token, API_ElemTypeID typeID,
                                                   API_Guid*** guids, Int32* count,
                                                   UInt32 filterBits, Int32 variationID,
                                                   const void* renovationFilter);
using ACAPI_Element_Get_Fn = GSErrCode (*)(API_Token, API_Element* element, UInt32 mask);
using ACAPI_Element_GetMemo_Fn = GSErrCode (*)(API_Token, const API_Guid* guid,
                                               API_ElementMemo* memo, UInt64 memoMask);
using ACAPI_Element_Change_Fn = GSErrCode (*)(API_Token, API_Element* element,
                                              const API_Element* mask, const API_ElementMemo* memo,
                                              UInt64 memoMask, bool withDel);
using ACAPI_Element_ChangeParameters_Fn = GSErrCode (*)(API_Token, const API_Elem_Head* heads,
                                                        Int32 count, const API_Element* defPars,
                                                        const API_ElementMemo* defMemo,
                                                        const API_Element* mask);
using ACAPI_WriteReport_Fn = GSErrCode (*)(API_Token, const GS::uchar_t* text, bool withDialog);
using ACAPI_DisposeAddParHdl_Fn = GSErrCode (*)(API_Token, API_AddParType*** addPars);
using ACAPI_DisposeElemMemoHdls_Fn = GSErrCode (*)(API_Token, API_ElementMemo* memo);
}

constexpr std::size_t API_EntryTableSlots = 519;

struct API_EntryTable {
    ACAPI_Register_Menu_Fn registerMenu;
    ACAPI_Install_MenuHandler_Fn installMenuHandler;
    ACAPI_Database_Fn database;
    ACAPI_Automate_Fn automate;
    ACAPI_Interface_Fn userInterface;  // ACAPI_Interface; <windows.h> makes "interface" a macro
    ACAPI_Goodies_Fn goodies;
    ACAPI_LibPart_Search_Fn libPartSearch;
    ACAPI_LibPart_Get_Fn libPartGet;
    ACAPI_LibPart_GetParams_Fn libPartGetParams;
    ACAPI_Element_GetDefaults_Fn elementGetDefaults;
    ACAPI_CallUndoableCommand_Fn callUndoableCommand;
    ACAPI_Element_Create_Fn elementCreate;
    ACAPI_Element_GetElemList_Fn elementGetElemList;
    ACAPI_Element_Get_Fn elementGet;
    ACAPI_Element_GetMemo_Fn elementGetMemo;
    ACAPI_Element_Change_Fn elementChange;
    ACAPI_Element_ChangeParameters_Fn elementChangeParameters;
    ACAPI_WriteReport_Fn writeReport;
    ACAPI_DisposeAddParHdl_Fn disposeAddParHdl;
    ACAPI_DisposeElemMemoHdls_Fn disposeElemMemoHdls;
    // New operations are added here, taking slots from the reserve.
    UInt64 reserved[API_EntryTableSlots - 20];
};
static_assert(sizeof(API_EntryTable) == 4152);
static_assert(offsetof(API_EntryTable, registerMenu) == 0 * 8);
static_assert(offsetof(API_EntryTable, database) == 2 * 8);
static_assert(offsetof(API_EntryTable, goodies) == 5 * 8);
static_assert(offsetof(API_EntryTable, callUndoableCommand) == 10 * 8);
static_assert(offsetof(API_EntryTable, elementChangeParameters) == 16 * 8);
static_assert(offsetof(API_EntryTable, disposeElemMemoHdls) == 19 * 8);

// The two functions an add-on module exports (C linkage, default visibility).
extern "C" {
using GetExportedFuncAddrs_Fn = void (*)(API_ExportRecord* record);
using SetImportedFuncAddrs_Fn = GSErrCode (*)(const API_EntryTable* table);
}
constexpr const char* API_GetExportedFuncAddrsName = "GetExportedFuncAddrs";
constexpr const char* API_SetImportedFuncAddrsName = "SetImportedFuncAddrs";
