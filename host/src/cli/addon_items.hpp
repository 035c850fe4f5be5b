// The add-on's menu items and the items of its Settings dialog, as the commands pick and fill
// them: the ids of the add-on's own resources.
#pragma once

#include "api/api_base.hpp"

namespace planhost {

constexpr Int16 kInsertPointsMenu = 32500;
constexpr Int16 kImportPointsMenu = 32501;
constexpr Int16 kExportPointsMenu = 32502;
constexpr Int16 kUpdatePointsMenu = 32503;
constexpr Int16 kSettingsMenu = 32504;
constexpr Int16 kInfoMenu = 32505;

// Items of the Settings dialog.
constexpr short kSymbolSizeItem = 5;
constexpr short kStartNumberItem = 7;
constexpr short kLibraryItem = 9;

}  // namespace planhost
