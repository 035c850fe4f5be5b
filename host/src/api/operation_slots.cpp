#include "api/operation_slots.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace planhost {

namespace {

struct OperationSlot {
    std::string_view name;  // "ACAPI_Database"
    std::size_t offset;     // of its function pointer in API_EntryTable
};

#define PLANHOST_SLOT(name, member)            \
    OperationSlot {                            \
        name, offsetof(API_EntryTable, member) \
    }

constexpr std::array kSlots = {
    PLANHOST_SLOT("ACAPI_Register_Menu", registerMenu),
    PLANHOST_SLOT("ACAPI_Install_MenuHandler", installMenuHandler),
    PLANHOST_SLOT("ACAPI_Database", database),
    PLANHOST_SLOT("ACAPI_Automate", automate),
    PLANHOST_SLOT("ACAPI_Interface", userInterface),
    PLANHOST_SLOT("ACAPI_Goodies", goodies),
    PLANHOST_SLOT("ACAPI_LibPart_Search", libPartSearch),
    PLANHOST_SLOT("ACAPI_LibPart_Get", libPartGet),
    PLANHOST_SLOT("ACAPI_LibPart_GetParams", libPartGetParams),
    PLANHOST_SLOT("ACAPI_Element_GetDefaults", elementGetDefaults),
    PLANHOST_SLOT("ACAPI_CallUndoableCommand", callUndoableCommand),
    PLANHOST_SLOT("ACAPI_Element_Create", elementCreate),
    PLANHOST_SLOT("ACAPI_Element_GetElemList", elementGetElemList),
    PLANHOST_SLOT("ACAPI_Element_Get", elementGet),
    PLANHOST_SLOT("ACAPI_Element_GetMemo", elementGetMemo),
    PLANHOST_SLOT("ACAPI_Element_Change", elementChange),
    PLANHOST_SLOT("ACAPI_Element_ChangeParameters", elementChangeParameters),
    PLANHOST_SLOT("ACAPI_WriteReport", writeReport),
    PLANHOST_SLOT("ACAPI_DisposeAddParHdl", disposeAddParHdl),
    PLANHOST_SLOT("ACAPI_DisposeElemMemoHdls", disposeElemMemoHdls),
};

#undef PLANHOST_SLOT

const OperationSlot* FindSlot(std::string_view name) {
    const auto it = std::find_if(kSlots.begin(), kSlots.end(),
                                 [name](const OperationSlot& slot) { return slot.name == name; });
    return it == kSlots.end() ? nullptr : &*it;
}

}  // namespace

bool IsOperationName(std::string_view name) {
    return FindSlot(name) != nullptr;
}

bool EmptySlot(API_EntryTable& table, std::string_view name) {
    const OperationSlot* slot = FindSlot(name);
    if (slot == nullptr) return false;
    // Every slot is one function pointer.
    std::memset(reinterpret_cast<unsigned char*>(&table) + slot->offset, 0, sizeof(void*));
    return true;
}

}  // namespace planhost
