// The size that measure points get, from the settings as they are on disk now.
#pragma once

// ReadSettings, then the SymbolSize setting by atoi's rules (2.5 gives 2, text without leading
// digits 0), as the nominal sizes a and b in metres.
double ReadSymbolSize();
