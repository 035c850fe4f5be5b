// The six menu commands, each run to its end inside the menu handler. Each reports its own
// failures to the user; none returns anything.
#pragma once

void InsertPoints();       // points/insert_points.cpp
void ImportPoints();       // exchange/import_points.cpp
void ExportPoints();       // exchange/export_points.cpp
void UpdatePoints();       // points/update_points.cpp
void RunSettingsDialog();  // settings/settings_dialog.cpp
void RunInfoDialog();      // settings/info_dialog.cpp
