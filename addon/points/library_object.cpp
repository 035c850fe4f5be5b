#include "points/library_object.hpp"

#include <algorithm>

#include "frame/host_api.hpp"
#include "frame/zero_filled.hpp"
#include "settings/settings_store.hpp"
#include "settings/text_conversions.hpp"

LibraryObject SelectLibraryObject(std::string_view library) {
    if (library == "1") return {"Piketmerk.gsm", "Kruis in cirkel", "Kegel"};
    if (library == "2") return {"Stakemark.gsm", "Cross in Circle", "Cone"};
    return {};
}

LibraryObject ReadLibraryObject() {
    ReadSettings();
    return SelectLibraryObject(ToNarrowText(GetLibrary()));
}

std::optional<Int32> FindLibraryPart(std::string_view fileName) {
    auto part = ZeroFilled<API_LibPart>();
    const GS::UniString name(fileName, GS::CC_System);
    const std::size_t length =
        std::min<std::size_t>(name.GetLength(), std::size(part.file_UName) - 1);
    std::copy_n(name.ToUStr(), length, part.file_UName);
    if (ACAPI_LibPart_Search(&part, false, false) != NoError) return std::nullopt;
    return part.index;
}
