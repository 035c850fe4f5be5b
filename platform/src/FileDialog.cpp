#include "DG/FileDialog.hpp"

#include "DG/Interaction.hpp"

namespace DG {
namespace {

// A saved file gets the filter's extension when the user typed a name without one.
IO::Location WithExtension(IO::Location location, const std::string& extension) {
    IO::Name name;
    if (extension.empty() || location.GetLastLocalName(&name) != NoError || name.HasExtension()) {
        return location;
    }
    name.AppendExtension(GS::UniString(extension.c_str()));
    location.SetLastLocalName(name);
    return location;
}

}  // namespace

FileDialog::FileDialog(Type type) : type_(type) {}

Int32 FileDialog::AddFilter(FTM::TypeID type, Int32 extensionOption) {
    if (FTM::FileTypeManager::GetType(type) == nullptr) return -1;
    filters_.push_back({type, extensionOption, {}});
    return Int32(filters_.size() - 1);
}

void FileDialog::SetFilterText(Int32 filterIndex, const GS::UniString& text) {
    if (filterIndex >= 0 && std::size_t(filterIndex) < filters_.size()) {
        filters_[std::size_t(filterIndex)].text = text;
    }
}

bool FileDialog::Invoke() {
    selected_.clear();
    InteractionDriver* driver = GetInteractionDriver();
    if (driver == nullptr) return false;
    FileDialogRequest request{type_, title_, {}, {}};
    std::string extension;
    if (!filters_.empty()) {
        request.filterText = filters_.front().text;
        extension = FTM::FileTypeManager::GetType(filters_.front().type)->Extension();
        request.extension = GS::UniString(extension.c_str());
    }
    IO::Location chosen;
    if (!driver->AnswerFileDialog(request, &chosen) || chosen.IsEmpty()) return false;
    const bool appendExtension =
        type_ == Save && !filters_.empty() && filters_.front().extensionOption == AppendExtension;
    selected_.push_back(appendExtension ? WithExtension(chosen, extension) : chosen);
    return true;
}

IO::Location FileDialog::GetSelectedFile(Int32 index) const {
    if (index < 0 || std::size_t(index) >= selected_.size()) return {};
    return selected_[std::size_t(index)];
}

}  // namespace DG
