#include "points/symbol_size.hpp"

#include "exchange/number_text.hpp"
#include "settings/settings_store.hpp"
#include "settings/text_conversions.hpp"

double ReadSymbolSize() {
    ReadSettings();
    return double(AtoI(ToNarrowText(GetSymbolSize())));
}
