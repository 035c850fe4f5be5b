// The add-on's settings, kept in "Stakewise.ini" in the user's settings folder. Every user calls
// ReadSettings first, which reloads the file, so each command sees what is on disk when it starts.
#pragma once

#include <optional>

#include "GS/UniString.hpp"
#include "IO/Location.hpp"

// Resets the settings to their defaults, then loads the file (or its fallback) when there is one.
void ReadSettings();
// Replaces the file with the six settings, creating its folder where missing. True when the new
// file is in place; otherwise the earlier file stays as it was.
bool WriteSettings();

GS::UniString GetSymbolSize();
GS::UniString GetStartNumber();
GS::UniString GetLibrary();

void SetSymbolSize(const GS::UniString& size);     // stored trimmed
void SetStartNumber(const GS::UniString& number);  // stored trimmed
void SetLibrary(const GS::UniString& library);     // stored as given

// The folder Orvane/Stakewise in the user's application-data folder; nothing when the system
// names no such folder (settings are then neither read nor written).
std::optional<IO::Location> SettingsFolder();
