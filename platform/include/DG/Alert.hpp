// DG alerts: modal message boxes, answered by the interaction driver.
#pragma once

#include "GS/Compiler.hpp"
#include "GS/UniString.hpp"

namespace DG {

// Returns the 1-based number of the pressed button; empty button texts are no button.
PLATFORM_API short InformationAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                                    const GS::UniString& button1, const GS::UniString& button2 = {},
                                    const GS::UniString& button3 = {});
PLATFORM_API short ErrorAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                              const GS::UniString& button1, const GS::UniString& button2 = {},
                              const GS::UniString& button3 = {});

}  // namespace DG
