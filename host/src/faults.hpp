// Fault injection from the command line:
//   --fail OP[:SEL][@N]=CODE  the N-th call (every call without @N) of that operation, and of
//                             that selector when given, returns CODE and does nothing else;
//   --fail OP[:SEL]@N+=CODE   the same for the N-th call and every later one;
//   --empty OP                that slot of the entry table is left empty (null);
//   --empty OP:SEL            that selector answers APIERR_MISSINGCODE and does nothing else.
// CODE is a number (0x81060387, decimal, negative) or an error name (APIERR_CANCEL).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "api/api_base.hpp"

namespace planhost {

// A rule that does not parse; what() says what is wrong with it.
class FaultSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Faults {
public:
    void AddFail(std::string_view rule);   // throws FaultSyntaxError
    void AddEmpty(std::string_view rule);  // throws FaultSyntaxError

    // The operations whose slot is left empty.
    const std::vector<std::string>& emptySlots() const { return emptySlots_; }

    // Called once per call of the add-on: the code that replaces the call, when a rule says so.
    std::optional<GSErrCode> Check(std::string_view op, GSType selector);

private:
    struct FailRule {
        std::string op;
        GSType selector = 0;   // 0: every selector
        int nth = 0;           // 0: every call
        bool onwards = false;  // also every call after the nth
        GSErrCode code = NoError;
        int calls = 0;  // matching calls seen so far
    };
    struct EmptySelector {
        std::string op;
        GSType selector;
    };

    std::vector<FailRule> fails_;
    std::vector<EmptySelector> emptySelectors_;
    std::vector<std::string> emptySlots_;
};

// "GDAT" -> its code; throws FaultSyntaxError unless it is four printable characters.
GSType ParseSelector(std::string_view text);
// "0x81060387", "-2130509945", "APIERR_MISSINGCODE"; throws FaultSyntaxError.
GSErrCode ParseErrCode(std::string_view text);

}  // namespace planhost
