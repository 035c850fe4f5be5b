// Text placed in SVG and other XML output.
#pragma once

#include <string>
#include <string_view>

namespace planhost {

// UTF-8 text with &, <, > and " escaped; control characters, which XML does not allow, dropped.
std::string XmlEscaped(std::string_view text);

}  // namespace planhost
