// The size that measure points get, from the settings.
#pragma once

// The SymbolSize setting of the settings as last read, by atoi's rules (2.5 gives 2, text
// without leading digits 0), as the nominal sizes a and b in metres.
double CurrentSymbolSize();
// ReadSettings, then CurrentSymbolSize: the size as the settings are on disk now.
double ReadSymbolSize();
