// The measure-point library object that the Library setting selects, and its lookup among the
// libraries loaded in the project.
#pragma once

#include <optional>
#include <string_view>

#include "api/api_base.hpp"

struct LibraryObject {
    std::string_view fileName;      // empty: no loaded part has it
    std::string_view markerStyle1;  // "strMarkerStyle" of a measured point
    std::string_view markerStyle2;  // "strMarkerStyle3D" of a measured point
};

// "1" and "2" select an object; any other text ("01", " 2", "3", empty) selects none.
LibraryObject SelectLibraryObject(std::string_view library);

// ReadSettings, then the object that the Library setting names.
LibraryObject ReadLibraryObject();

// The index of the loaded library part with that file name; nothing when it is not loaded.
std::optional<Int32> FindLibraryPart(std::string_view fileName);
