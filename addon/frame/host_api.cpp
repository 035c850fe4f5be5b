#include "frame/host_api.hpp"

namespace {

// The host's table and token live from the handshake to FreeData (the token) or unload (the
// table); the add-on runs on the host's user-interface thread only.
API_EntryTable gEntryTable{};
bool gHasEntryTable = false;
API_Token gToken = 0;

// Calls one slot of the host's table; an empty slot calls nothing.
template <auto Slot, typename... Args>
GSErrCode CallHost(Args... args) {
    const auto function = gEntryTable.*Slot;
    if (!gHasEntryTable || function == nullptr) return APIERR_MISSINGCODE;
    return function(gToken, args...);
}

}  // namespace

namespace frame {

bool HasEntryTable() {
    return gHasEntryTable;
}

void StoreEntryTable(const API_EntryTable& table) {
    gEntryTable = table;
    gHasEntryTable = true;
}

void ForgetEntryTable() {
    gEntryTable = API_EntryTable{};
    gHasEntryTable = false;
}

void StoreToken(API_Token token) {
    gToken = token;
}
API_Token Token() {
    return gToken;
}

}  // namespace frame

GSErrCode ACAPI_Register_Menu(Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode,
                              Int32 menuFlags) {
    return CallHost<&API_EntryTable::registerMenu>(menuStrResID, promptStrResID, menuPosCode,
                                                   menuFlags);
}

GSErrCode ACAPI_Install_MenuHandler(Int16 menuStrResID, API_MenuCommandProc handler) {
    return CallHost<&API_EntryTable::installMenuHandler>(menuStrResID, handler);
}

GSErrCode ACAPI_Database(GSType selector, void* par1, void* par2, void* par3) {
    return CallHost<&API_EntryTable::database>(selector, par1, par2, par3);
}

GSErrCode ACAPI_Automate(GSType selector, void* par1, void* par2, void* par3) {
    return CallHost<&API_EntryTable::automate>(selector, par1, par2, par3);
}

GSErrCode ACAPI_Interface(GSType selector, void* par1, void* par2, void* par3) {
    return CallHost<&API_EntryTable::userInterface>(selector, par1, par2, par3);
}

GSErrCode ACAPI_Goodies(GSType selector, void* par1, void* par2, void* par3, void* par4) {
    return CallHost<&API_EntryTable::goodies>(selector, par1, par2, par3, par4);
}

GSErrCode ACAPI_LibPart_Search(API_LibPart* part, bool createIfMissing, bool onlyPlaceable) {
    return CallHost<&API_EntryTable::libPartSearch>(part, createIfMissing, onlyPlaceable);
}

GSErrCode ACAPI_LibPart_Get(API_LibPart* part) {
    return CallHost<&API_EntryTable::libPartGet>(part);
}

GSErrCode ACAPI_LibPart_GetParams(Int32 libInd, double* a, double* b, Int32* addParNum,
                                  API_AddParType*** addPars) {
    return CallHost<&API_EntryTable::libPartGetParams>(libInd, a, b, addParNum, addPars);
}

GSErrCode ACAPI_Element_GetDefaults(API_Element* element, API_ElementMemo* memo) {
    return CallHost<&API_EntryTable::elementGetDefaults>(element, memo);
}

GSErrCode ACAPI_CallUndoableCommand(const GS::uchar_t* title, API_UndoableCommandProc command,
                                    void* userData) {
    return CallHost<&API_EntryTable::callUndoableCommand>(title, command, userData);
}

GSErrCode ACAPI_Element_Create(API_Element* element, API_ElementMemo* memo) {
    return CallHost<&API_EntryTable::elementCreate>(element, memo);
}

GSErrCode ACAPI_Element_GetElemList(API_ElemTypeID typeID, API_Guid*** guids, Int32* count,
                                    UInt32 filterBits, Int32 variationID,
                                    const void* renovationFilter) {
    return CallHost<&API_EntryTable::elementGetElemList>(typeID, guids, count, filterBits,
                                                         variationID, renovationFilter);
}

GSErrCode ACAPI_Element_Get(API_Element* element, UInt32 mask) {
    return CallHost<&API_EntryTable::elementGet>(element, mask);
}

GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 memoMask) {
    return CallHost<&API_EntryTable::elementGetMemo>(&guid, memo, memoMask);
}

GSErrCode ACAPI_Element_Change(API_Element* element, const API_Element* mask,
                               const API_ElementMemo* memo, UInt64 memoMask, bool withDel) {
    return CallHost<&API_EntryTable::elementChange>(element, mask, memo, memoMask, withDel);
}

GSErrCode ACAPI_Element_ChangeParameters(const API_Elem_Head* heads, Int32 count,
                                         const API_Element* defPars, const API_ElementMemo* defMemo,
                                         const API_Element* mask) {
    return CallHost<&API_EntryTable::elementChangeParameters>(heads, count, defPars, defMemo, mask);
}

GSErrCode ACAPI_WriteReport(const GS::uchar_t* text, bool withDialog) {
    return CallHost<&API_EntryTable::writeReport>(text, withDialog);
}

GSErrCode ACAPI_DisposeAddParHdl(API_AddParType*** addPars) {
    return CallHost<&API_EntryTable::disposeAddParHdl>(addPars);
}

GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo) {
    return CallHost<&API_EntryTable::disposeElemMemoHdls>(memo);
}
