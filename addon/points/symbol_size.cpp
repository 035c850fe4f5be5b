#include "points/symbol_size.hpp"

#include "settings/number_text.hpp"
#include "settings/settings_store.hpp"
#include "settings/text_conversions.hpp"

double CurrentSymbolSize() {
    return double(AtoI(ToNarrowText(GetSymbolSize())));
}

double ReadSymbolSize() {
    ReadSettings();
    return CurrentSymbolSize();
}
