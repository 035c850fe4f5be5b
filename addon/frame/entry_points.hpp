// The add-on's four entry points and its one menu handler, as plain C++ functions. The exported
// handshake hands them to the host (exports.cpp); unit tests call them directly.
#pragma once

#include "api/api_entry_table.hpp"

namespace frame {

// The menu commands: resource id, registration flags, command.
struct MenuCommand {
    Int16 menuResID;
    Int32 flags;
    void (*run)();
};

constexpr Int16 kFirstMenuResID = 32500;
constexpr Int16 kLastMenuResID = 32505;
constexpr Int16 kAddOnNameResID = 32000;

void FillExportRecord(API_ExportRecord* record);
GSErrCode ReceiveEntryTable(const API_EntryTable* table);

API_AddonType CheckEnvironment(API_EnvirParams* envir);
GSErrCode RegisterInterface();
GSErrCode Initialize(API_Token token);
GSErrCode FreeData();
GSErrCode MenuCommandHandler(const API_MenuParams* params);

}  // namespace frame
