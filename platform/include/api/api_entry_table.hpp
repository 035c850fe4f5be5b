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
// takes with token 0). Every entry answers a token that the host did not hand out, or one that
// freeData ended, with APIERR_BADTOKEN and does nothing; the errors listed with each entry come
// on top of that. An empty slot is null; the add-on must not call it.
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
// The host calls each of them on its user-interface thread ([main-thread]) and never while
// another of them runs, except the operations that the add-on itself calls from inside one.

// [main-thread] Once, after SetImportedFuncAddrs. In: envir->serverInfo, the host application
// and its version. Out: envir->addOnInfo.name and .description, NUL-terminated narrow text the
// host copies (up to the field's end when there is no NUL). envir is borrowed for the call.
// Returns APIAddon_Normal to be loaded; APIAddon_DontRegister makes the host unload the add-on
// without calling any other entry point.
using API_CheckEnvironmentProc = API_AddonType (*)(API_EnvirParams* envir);
// [main-thread] Once, after checkEnvironment: registers the add-on's menu items
// (ACAPI_Register_Menu, with token 0). A non-zero result makes the host forget the registered
// items and unload the add-on.
using API_RegisterInterfaceProc = GSErrCode (*)();
// [main-thread] Once, after registerInterface. token is the add-on's from now until freeData
// returns; the add-on passes it to every entry and installs its menu handlers here. A non-zero
// result makes the host call freeData (to give back what initialize took) and unload the add-on.
using API_InitializeProc = GSErrCode (*)(API_Token token);
// [main-thread] Once, before the host unloads the module: the add-on gives back what it holds
// of the host. The token is no longer valid once it returns; a non-zero result is reported to
// the user and the module is unloaded all the same.
using API_FreeDataProc = GSErrCode (*)();
// [main-thread] Once for each pick of a menu item the handler was installed for; runs the
// command to its end. params is borrowed for the call: menuItemRef.menuResID is the registered
// menu resource id, itemIndex 1. A host may also hand the handler an id that was not
// registered, so the handler checks the id. A non-zero result is reported to the user.
using API_MenuCommandProc = GSErrCode (*)(const API_MenuParams* params);
// [main-thread] The body of an undoable step (ACAPI_CallUndoableCommand), called once inside
// that call; userData is what the add-on passed with it. Its result is the step's: non-zero
// takes back what the body changed.
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

// ---- The host's operations, in the order of their slots --------------------------------------
// Each runs on the host's user-interface thread ([main-thread]) and returns before the host
// handles the next event. Records and texts passed by pointer are borrowed for the call. A
// handle that the host puts into a caller's variable or record is the caller's from then on and
// stays valid until the caller frees it with the call named in the note.
// "The model's databases": the floor plan and the 3D window show the model's objects; with a
// section or a layout current, the element calls find no object.
extern "C" {
// [main-thread] Registers menu item menuStrResID: the host reads the submenu title (string 1)
// and the item text (string 2) of that string list from the add-on's own resource module.
// promptStrResID, menuPosCode and menuFlags are kept with the item. The only call the host takes
// with token 0 (it comes before initialize). Errors: APIERR_BADPARS when the id is registered
// already or the list lacks one of the two strings.
using ACAPI_Register_Menu_Fn = GSErrCode (*)(API_Token, Int16 menuStrResID, Int16 promptStrResID,
                                             Int32 menuPosCode, Int32 menuFlags);
// [main-thread] Makes handler the one the host calls when the user picks item menuStrResID.
// handler must stay callable until freeData. Errors: APIERR_BADPARS when handler is null or the
// id was not registered.
using ACAPI_Install_MenuHandler_Fn = GSErrCode (*)(API_Token, Int16 menuStrResID,
                                                   API_MenuCommandProc handler);
// [main-thread] Databases (the model view of a window). par2 and par3 are not used.
//  'GDAT' par1 API_DatabaseInfo* out: the whole record is overwritten with the current database.
//  'CDAT' par1 const API_DatabaseInfo* in: makes the database of par1->typeID current; the
//         window in front stays (see 'CHWD').
// Errors: APIERR_BADID for another selector, APIERR_BADPARS when par1 is null,
// APIERR_BADDATABASE ('CDAT') for an unknown database type, which leaves the current one.
using ACAPI_Database_Fn = GSErrCode (*)(API_Token, GSType selector, void* par1, void* par2,
                                        void* par3);
// [main-thread] Windows. par2 and par3 are not used.
//  'CHWD' par1 const API_WindowInfo* in: brings the window of par1->typeID to the front.
// Errors: APIERR_BADID for another selector, APIERR_BADPARS when par1 is null,
// APIERR_BADWINDOW for an unknown window type.
using ACAPI_Automate_Fn = ACAPI_Database_Fn;
// [main-thread] The user: point input and the progress window. par2 and par3 are not used.
//  'IPOI' par1 API_GetPointType* in/out: the user clicks a point in the window in front; in:
//         prompt (read up to its NUL or the field's end); out: pos (z is 0). APIERR_CANCEL when
//         the user cancels, pos then untouched.
//  'SPRV' par1 const Int32* in: the progress value to show.
//  'CANC' no parameter. Not an error code: 1 when the user asked to cancel since the last
//         'CANC' (the answer is given once), else 0.
//  'CPWD' no parameter: closes the progress window; 0 also when none is open.
// Errors: APIERR_BADID for another selector, APIERR_BADPARS when 'IPOI' or 'SPRV' gets a
// null par1.
using ACAPI_Interface_Fn = ACAPI_Database_Fn;
// [main-thread] The parameter session of one object: 'OPAR', then any 'CHGP' and 'GPAR', then
// 'CPAR', in that order and before the add-on's entry point returns. The session works on a
// copy of the parameter list and changes no object (ACAPI_Element_ChangeParameters does). One
// session is open at a time; 'OPAR' on an open one replaces it. par2 to par4 are not used.
//  'OPAR' par1 const API_ParamOwnerType* in: a non-zero guid opens the list of that placed
//         object (one of the model's databases must be current); a zero guid opens the default
//         list of library part libInd. APIERR_BADELEMENT for an object not found,
//         APIERR_BADINDEX for a part index that names no loaded part.
//  'CHGP' par1 const API_ChangeParamType* in: changes one value of the copy, found by 1-based
//         index, or by name when index is 0. A text parameter takes uStrValue (cut to 255
//         characters; APIERR_BADPARS when null), any other realValue (APIERR_BADVALUE when it is
//         not finite). APIERR_BADPARAMNAME when there is no such parameter.
//  'GPAR' par1 API_GetParamsType* out: a, b, and params, a new handle holding the copy; the
//         caller frees it with ACAPI_DisposeAddParHdl. A handle already in params is
//         overwritten, not freed.
//  'CPAR' no parameter: ends the session.
// Errors: APIERR_BADID for another selector, APIERR_BADPARS when par1 is null,
// APIERR_NOTSESSION for 'CHGP', 'GPAR' or 'CPAR' without an open session, APIERR_MEMFULL.
using ACAPI_Goodies_Fn = GSErrCode (*)(API_Token, GSType selector, void* par1, void* par2,
                                       void* par3, void* par4);
// [main-thread] Finds a loaded library part by part->file_UName and fills part (index, names,
// isPlaceable). createIfMissing is accepted and ignored: this host makes no parts. Errors:
// APIERR_BADPARS when part is null, APIERR_NOLIBPART when no part has that file name, or when
// onlyPlaceable and the part is not placeable.
using ACAPI_LibPart_Search_Fn = GSErrCode (*)(API_Token, API_LibPart* part, bool createIfMissing,
                                              bool onlyPlaceable);
// [main-thread] Fills part from the loaded part with index part->index. Errors: APIERR_BADPARS
// when part is null, APIERR_BADINDEX when the index names no loaded part.
using ACAPI_LibPart_Get_Fn = GSErrCode (*)(API_Token, API_LibPart* part);
// [main-thread] The default parameters of library part libInd. Out: the nominal sizes a and b,
// addParNum, and addPars, a new handle of addParNum entries that the caller frees with
// ACAPI_DisposeAddParHdl (a handle already in *addPars is overwritten, not freed). Errors:
// APIERR_BADPARS when an out pointer is null, APIERR_BADINDEX when libInd names no loaded part,
// APIERR_MEMFULL; the out variables are untouched on an error.
using ACAPI_LibPart_GetParams_Fn = GSErrCode (*)(API_Token, Int32 libInd, double* a, double* b,
                                                 Int32* addParNum, API_AddParType*** addPars);
// [main-thread] The record a new element of element->header.typeID starts from. element is
// overwritten with the defaults (no GUID, no part). memo may be null; when given, its
// elemInfoString gets the default element ID (an empty text) in a new handle, or in the one it
// held, resized; its other members stay. The caller frees the memo with
// ACAPI_DisposeElemMemoHdls. Errors: APIERR_BADPARS when element is null, APIERR_BADID for a
// type other than API_ObjectID, APIERR_MEMFULL.
using ACAPI_Element_GetDefaults_Fn = GSErrCode (*)(API_Token, API_Element* element,
                                                   API_ElementMemo* memo);
// [main-thread] Runs command(userData) once, as one undo step titled title (Unicode). When the
// command returns non-zero, what it changed is taken back and no step is kept; a step that
// changed nothing is not kept either. A call inside another's command joins the outer step,
// whose result decides for both. Returns the command's result. Errors: APIERR_BADPARS when title or
// command is null (the command is then not called).
using ACAPI_CallUndoableCommand_Fn = GSErrCode (*)(API_Token, const GS::uchar_t* title,
                                                   API_UndoableCommandProc command, void* userData);
// [main-thread] Places a new object from element: libInd, sizes, position, elevation, angle,
// story, layer (API_DefaultLayer: the host's default) and drawIndex (API_DrawOnTop: the top
// drawing level). memo, borrowed, may be null: the object then has no memo (no ID text, no
// parameters). Given, its elemInfoString is the ID text (null: empty) and its params the parameters
// (null: the part's defaults); the memo stays the caller's to free. Out: element holds the stored
// object with its new GUID. One of the model's databases must be current. Errors:
// APIERR_BADPARS when element is null or the layer negative, APIERR_BADID for a type other
// than API_ObjectID, APIERR_REFUSEDCMD in a section or layout, APIERR_BADVALUE when a
// coordinate, size or angle is not finite, APIERR_BADINDEX when libInd names no loaded part;
// nothing is placed on an error.
using ACAPI_Element_Create_Fn = GSErrCode (*)(API_Token, API_Element* element,
                                              API_ElementMemo* memo);
// [main-thread] The GUIDs of the elements of typeID (0: of every type) in the current database,
// in the host's order. Out: guids, a new handle of count GUIDs that the caller frees with
// BMKillHandle; null and 0 when there are none (also in a section or layout). filterBits,
// variationID and renovationFilter (may be null) are accepted and ignored. Errors:
// APIERR_BADPARS when guids or count is null, APIERR_BADID for a negative typeID,
// APIERR_MEMFULL.
using ACAPI_Element_GetElemList_Fn = GSErrCode (*)(API_Token, API_ElemTypeID typeID,
                                                   API_Guid*** guids, Int32* count,
                                                   UInt32 filterBits, Int32 variationID,
                                                   const void* renovationFilter);
// [main-thread] Fills the whole element record of the object element->header.guid; mask is
// accepted and ignored. One of the model's databases must be current. Errors: APIERR_BADPARS
// when element is null, APIERR_BADELEMENT when no such object is found.
using ACAPI_Element_Get_Fn = GSErrCode (*)(API_Token, API_Element* element, UInt32 mask);
// [main-thread] Fills the members of memo that memoMask names, each with a handle the caller
// frees with ACAPI_DisposeElemMemoHdls (a handle the member held is resized and reused; pass a
// zero-filled memo otherwise):
//   APIMemoMask_ElemInfoString: elemInfoString, the element ID text, NUL-terminated;
//   APIMemoMask_AddPars: params, the object's parameter list (handle size / 560 entries).
// Other bits fill nothing. An object without memo fills nothing and returns 0. One of the
// model's databases must be current. Errors: APIERR_BADPARS when guid or memo is null,
// APIERR_BADELEMENT when no such object is found, APIERR_MEMFULL (members filled before it
// stay filled: free the memo after every call).
using ACAPI_Element_GetMemo_Fn = GSErrCode (*)(API_Token, const API_Guid* guid,
                                               API_ElementMemo* memo, UInt64 memoMask);
// [main-thread] Changes the object element->header.guid: the fields set in mask (see
// ACAPI_ELEMENT_MASK_SET) take their values from element; with a memo and a non-zero memoMask,
// the ID text and parameter list that the mask names, as in Create (memo borrowed). withDel is
// accepted and ignored: the object changes in place and keeps its GUID. Out: element holds the
// changed object. One of the model's databases must be current. Errors: APIERR_BADPARS when
// element is null, APIERR_NOMASK when mask is null, APIERR_BADID for a type other than
// API_ObjectID, APIERR_BADELEMENT when no such object is found, and those of Create for the
// new values; nothing changes on an error.
using ACAPI_Element_Change_Fn = GSErrCode (*)(API_Token, API_Element* element,
                                              const API_Element* mask, const API_ElementMemo* memo,
                                              UInt64 memoMask, bool withDel);
// [main-thread] Changes the count objects of heads: the fields set in mask take their values
// from defPars, and every parameter of defMemo->params sets the value of the parameter of that
// name in each object that has a memo (names it lacks are passed over). An all-zero mask changes
// parameters only. All are borrowed. One of the model's databases must be current. Errors:
// APIERR_NOMASK when mask is null, APIERR_BADPARS when heads, defPars or defMemo is null or
// count below 1, APIERR_BADELEMENT when an object is not found (every object is looked up
// first, so then nothing changes), and those of Create for the new values.
using ACAPI_Element_ChangeParameters_Fn = GSErrCode (*)(API_Token, const API_Elem_Head* heads,
                                                        Int32 count, const API_Element* defPars,
                                                        const API_ElementMemo* defMemo,
                                                        const API_Element* mask);
// [main-thread] Shows text (Unicode) to the user: with withDialog in an alert that the user
// answers before the call returns, else in the host's report window. Errors: APIERR_BADPARS
// when text is null.
using ACAPI_WriteReport_Fn = GSErrCode (*)(API_Token, const GS::uchar_t* text, bool withDialog);
// [main-thread] Frees the parameter list *addPars (ACAPI_LibPart_GetParams, 'GPAR') and sets
// *addPars to null; a null *addPars is fine. Errors: APIERR_BADPARS when addPars is null.
using ACAPI_DisposeAddParHdl_Fn = GSErrCode (*)(API_Token, API_AddParType*** addPars);
// [main-thread] Frees the handles of memo (elemInfoString and params, from the host or the
// caller's own) and sets them to null; null members are fine, the rest of the record stays. Errors:
// APIERR_BADPARS when memo is null.
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
// [main-thread] First, right after the module is loaded: fills record, which the host zeroed
// and lends for the call.
using GetExportedFuncAddrs_Fn = void (*)(API_ExportRecord* record);
// [main-thread] Second: the add-on copies *table, which the host lends for the call. A non-zero
// result (APIERR_BADPARS for a null table) makes the host unload the add-on.
using SetImportedFuncAddrs_Fn = GSErrCode (*)(const API_EntryTable* table);
}
constexpr const char* API_GetExportedFuncAddrsName = "GetExportedFuncAddrs";
constexpr const char* API_SetImportedFuncAddrsName = "SetImportedFuncAddrs";
