#include "exchange/points_file_dialogs.hpp"

#include "DG/FileDialog.hpp"
#include "FTM/FileTypeManager.hpp"

namespace {

FTM::TypeID PointsFileType() {
    const FTM::FileTypeManager manager("Points");
    const FTM::FileType type(nullptr, "txt", 0, 0, 0, nullptr, true);
    return FTM::FileTypeManager::SearchForType(type, FTM::RootGroup);
}

GS::UniString ChoosePointsFile(DG::FileDialog& dialog) {
    const Int32 filter = dialog.AddFilter(PointsFileType(), DG::FileDialog::AppendExtension);
    dialog.SetFilterText(filter, ".txt");
    GS::UniString path;
    if (dialog.Invoke()) dialog.GetSelectedFile(0).ToPath(&path);
    return path;
}

}  // namespace

GS::UniString ReadPointsFileDialog() {
    DG::FileDialog dialog(DG::FileDialog::OpenFile);
    return ChoosePointsFile(dialog);
}

GS::UniString WritePointsFileDialog() {
    DG::FileDialog dialog(DG::FileDialog::Save);
    dialog.SetTitle("Export Points");
    return ChoosePointsFile(dialog);
}
