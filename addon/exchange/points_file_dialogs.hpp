// The file dialogs of the points commands, for ".txt" points files.
#pragma once

#include "GS/UniString.hpp"

// The file that the user chose to read; empty when the user cancelled.
GS::UniString ReadPointsFileDialog();
// The file that the user named to write, titled "Export Points"; empty when the user cancelled.
GS::UniString WritePointsFileDialog();
