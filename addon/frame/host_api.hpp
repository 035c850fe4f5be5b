// The host operations as the add-on calls them: each goes through the host's entry table with the
// host token as its hidden first argument. A slot that the host left empty returns
// APIERR_MISSINGCODE and calls nothing. All calls are made on the host's user-interface thread.
#pragma once

#include "api/api_entry_table.hpp"

// The handshake state: the host's table, from SetImportedFuncAddrs to unload, and its token,
// from Initialize to FreeData.
namespace frame {
bool HasEntryTable();
void StoreEntryTable(const API_EntryTable& table);
void ForgetEntryTable();  // at unload: nothing may call the host any more
void StoreToken(API_Token token);
API_Token Token();
}  // namespace frame

GSErrCode ACAPI_Register_Menu(Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode,
                              Int32 menuFlags);
GSErrCode ACAPI_Install_MenuHandler(Int16 menuStrResID, API_MenuCommandProc handler);
GSErrCode ACAPI_Database(GSType selector, void* par1 = nullptr, void* par2 = nullptr,
                         void* par3 = nullptr);
GSErrCode ACAPI_Automate(GSType selector, void* par1 = nullptr, void* par2 = nullptr,
                         void* par3 = nullptr);
GSErrCode ACAPI_Interface(GSType selector, void* par1 = nullptr, void* par2 = nullptr,
                          void* par3 = nullptr);
GSErrCode ACAPI_Goodies(GSType selector, void* par1 = nullptr, void* par2 = nullptr,
                        void* par3 = nullptr, void* par4 = nullptr);
GSErrCode ACAPI_LibPart_Search(API_LibPart* part, bool createIfMissing, bool onlyPlaceable);
GSErrCode ACAPI_LibPart_Get(API_LibPart* part);
GSErrCode ACAPI_LibPart_GetParams(Int32 libInd, double* a, double* b, Int32* addParNum,
                                  API_AddParType*** addPars);
GSErrCode ACAPI_Element_GetDefaults(API_Element* element, API_ElementMemo* memo);
GSErrCode ACAPI_CallUndoableCommand(const GS::uchar_t* title, API_UndoableCommandProc command,
                                    void* userData);
GSErrCode ACAPI_Element_Create(API_Element* element, API_ElementMemo* memo);
// guids: a new handle of count GUIDs; the caller frees it with BMKillHandle.
GSErrCode ACAPI_Element_GetElemList(API_ElemTypeID typeID, API_Guid*** guids, Int32* count,
                                    UInt32 filterBits = 0, Int32 variationID = 0,
                                    const void* renovationFilter = nullptr);
GSErrCode ACAPI_Element_Get(API_Element* element, UInt32 mask = 0);
GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo,
                                UInt64 memoMask = APIMemoMask_All);
GSErrCode ACAPI_Element_Change(API_Element* element, const API_Element* mask,
                               const API_ElementMemo* memo, UInt64 memoMask, bool withDel);
GSErrCode ACAPI_Element_ChangeParameters(const API_Elem_Head* heads, Int32 count,
                                         const API_Element* defPars, const API_ElementMemo* defMemo,
                                         const API_Element* mask);
GSErrCode ACAPI_WriteReport(const GS::uchar_t* text, bool withDialog);
GSErrCode ACAPI_DisposeAddParHdl(API_AddParType*** addPars);
GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo);
