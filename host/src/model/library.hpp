// The loaded libraries: every library part (".gsm" file) of the library folders, 1-based in
// load order (folders in the order given, files of a folder by name).
//
// A .gsm of this host is a JSON text:
//   {"name": "Stakemark", "placeable": true, "a": 1.0, "b": 1.0,
//    "parameters": [{"name": "strMarkerStyle", "type": "text", "value": "Triangle"},
//                   {"name": "rTextSize", "type": "length", "value": 0.25}, ...],
//    "symbols": {"Cross in Circle": "cross-circle", "Cone": "cone", ...}}
// Parameter types: "integer", "length", "real", "boolean", "text". "symbols" maps a value of the
// part's marker-style parameter (named by "symbolParameter", default "strMarkerStyle") to one of
// the plan symbols the host draws: "cross-circle", "cone", "triangle", "circle", "tree".
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/parameter.hpp"
#include "model/parameter_records.hpp"

namespace planhost {

struct LibraryPart {
    Int32 index = 0;          // 1-based
    std::u16string fileName;  // e.g. u"Stakemark.gsm"
    std::u16string name;      // the part's own name
    bool placeable = true;
    double a = 1.0;  // default nominal sizes, metres
    double b = 1.0;
    ParameterList parameters;           // defaults, in the part's order
    ParameterRecords parameterRecords;  // the same, as the C API hands them out
    std::string symbolParameter = "strMarkerStyle";
    std::map<std::u16string, std::string> symbols;  // parameter value -> plan symbol
    std::string defaultSymbol = "circle";

    std::string FileNameUtf8() const;
    // The plan symbol for an object of this part with that parameter list.
    std::string SymbolFor(const ParameterList& objectParameters) const;
};

class Library {
public:
    // Loads every .gsm of the folders. A file that cannot be read or parsed is skipped with a
    // message on standard error; the others load.
    void LoadFolders(const std::vector<std::string>& folders);
    // Adds one part from its JSON text; false (and nothing added) when the text is not a part.
    bool AddPart(std::u16string fileName, std::string_view json, std::string* error);

    Int32 size() const { return Int32(parts_.size()); }
    const LibraryPart* Find(Int32 index) const;  // null when out of range
    const LibraryPart* FindByFileName(std::u16string_view fileName) const;  // exact
    const LibraryPart* FindByFileNameUtf8(std::string_view fileName) const;

private:
    std::vector<LibraryPart> parts_;
    std::unordered_map<std::u16string, Int32> byFileName_;
};

// The folder of the shipped default library: "library" next to the running planhost.
std::string DefaultLibraryFolder();

}  // namespace planhost
