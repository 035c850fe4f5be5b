// DG::FileDialog: the system's open and save dialogs, answered by the interaction driver.
#pragma once

#include <vector>

#include "FTM/FileTypeManager.hpp"
#include "GS/Compiler.hpp"
#include "GS/UniString.hpp"
#include "IO/Location.hpp"

namespace DG {

class SystemDialog {
public:
    virtual ~SystemDialog() = default;
    void SetTitle(const GS::UniString& title) { title_ = title; }
    // Shows the dialog; true when the user confirmed.
    virtual bool Invoke() = 0;

protected:
    GS::UniString title_;
};

class PLATFORM_API FileDialog : public SystemDialog {
public:
    enum Type {
        OpenFile = 0,  // choose one existing file
        OpenMultiFile = 1,
        OpenFolder = 2,
        OpenFileOrFolder = 3,
        Save = 4,  // name a file to write
    };
    enum ExtensionOption { NoExtension = 0, AppendExtension = 1 };

    explicit FileDialog(Type type);
    // Adds a filter for a registered type; its index is returned, or -1 for an unknown type.
    Int32 AddFilter(FTM::TypeID type, Int32 extensionOption = AppendExtension);
    void SetFilterText(Int32 filterIndex, const GS::UniString& text);
    bool Invoke() override;
    // The chosen file; an empty location when there is none of that index.
    IO::Location GetSelectedFile(Int32 index) const;

private:
    struct Filter {
        FTM::TypeID type;
        Int32 extensionOption;
        GS::UniString text;
    };
    Type type_;
    std::vector<Filter> filters_;
    std::vector<IO::Location> selected_;
};

}  // namespace DG
