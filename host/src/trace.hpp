// The --trace file: one line per host operation that the add-on called, in call order,
// "OP[ SEL][ details] -> 0xCODE". Without a file nothing is written.
//
// A call can run others inside it (an undoable command calls back into the add-on), and its
// result is known only when it returns; so each call reserves its line when it starts and fills
// it when it ends, and lines go out in the order their calls started.
#pragma once

#include <cstddef>
#include <deque>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "api/api_base.hpp"

namespace planhost {

class Trace {
public:
    Trace() = default;  // writes nothing
    // Opens (replaces) the file; IsOpen() tells whether that worked.
    explicit Trace(const std::string& path);

    bool IsOpen() const { return file_.is_open(); }

    // Reserves the line of a call that starts now; End fills it.
    std::size_t Begin();
    void End(std::size_t line, std::string_view op, GSType selector, std::string_view details,
             GSErrCode result);

    // The line as it is written, without its line end.
    static std::string FormatLine(std::string_view op, GSType selector, std::string_view details,
                                  GSErrCode result);

private:
    std::ofstream file_;
    std::deque<std::optional<std::string>> pending_;
    std::size_t written_ = 0;  // lines written before pending_.front()
};

// "0x0", "0x81060387": lower-case hex of the code's 32 bits.
std::string FormatErrCode(GSErrCode code);
// The four characters of a selector, "GDAT".
std::string FormatSelector(GSType selector);
// Text as a trace detail: in double quotes, with \" \\ \n \r escaped.
std::string QuoteForTrace(std::string_view utf8);
// A coordinate in the shortest form that reads back to the same double.
std::string FormatNumber(double value);

}  // namespace planhost
