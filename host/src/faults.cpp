#include "faults.hpp"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "api/operation_slots.hpp"

namespace planhost {

namespace {

constexpr std::array<std::pair<std::string_view, GSErrCode>, 18> kErrorNames = {{
    {"NoError", NoError},
    {"APIERR_GENERAL", APIERR_GENERAL},
    {"APIERR_MEMFULL", APIERR_MEMFULL},
    {"APIERR_BADPARS", APIERR_BADPARS},
    {"APIERR_BADID", APIERR_BADID},
    {"APIERR_BADINDEX", APIERR_BADINDEX},
    {"APIERR_BADDATABASE", APIERR_BADDATABASE},
    {"APIERR_BADWINDOW", APIERR_BADWINDOW},
    {"APIERR_BADELEMENT", APIERR_BADELEMENT},
    {"APIERR_NOLIBPART", APIERR_NOLIBPART},
    {"APIERR_REFUSEDCMD", APIERR_REFUSEDCMD},
    {"APIERR_BADVALUE", APIERR_BADVALUE},
    {"APIERR_NOTSESSION", APIERR_NOTSESSION},
    {"APIERR_BADPARAMNAME", APIERR_BADPARAMNAME},
    {"APIERR_NOMASK", APIERR_NOMASK},
    {"APIERR_BADTOKEN", APIERR_BADTOKEN},
    {"APIERR_CANCEL", APIERR_CANCEL},
    {"APIERR_MISSINGCODE", APIERR_MISSINGCODE},
}};

struct Target {
    std::string op;
    GSType selector = 0;
};

// "OP" or "OP:SEL", the operation checked against the entry table's names.
Target ParseTarget(std::string_view text) {
    Target target;
    const auto colon = text.find(':');
    target.op = std::string(text.substr(0, colon));
    if (!IsOperationName(target.op))
        throw FaultSyntaxError("unknown host operation \"" + target.op + "\"");
    if (colon != std::string_view::npos) target.selector = ParseSelector(text.substr(colon + 1));
    return target;
}

int ParseCallNumber(std::string_view text) {
    const std::string digits(text);
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(digits.c_str(), &end, 10);
    if (digits.empty() || *end != '\0' || errno != 0 || n < 1 || n > 1'000'000'000)
        throw FaultSyntaxError("call number \"" + digits + "\" is not a whole number from 1 on");
    return int(n);
}

}  // namespace

GSType ParseSelector(std::string_view text) {
    if (text.size() != 4)
        throw FaultSyntaxError("selector \"" + std::string(text) + "\" is not four characters");
    GSType selector = 0;
    for (const char c : text) {
        if (c < 0x21 || c > 0x7E)
            throw FaultSyntaxError("selector \"" + std::string(text) +
                                   "\" has a character that is not printable");
        selector = (selector << 8) | UInt8(c);
    }
    return selector;
}

GSErrCode ParseErrCode(std::string_view text) {
    for (const auto& [name, code] : kErrorNames)
        if (name == text) return code;
    const std::string number(text);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(number.c_str(), &end, 0);
    if (number.empty() || *end != '\0' || errno != 0 || value < INT32_MIN || value > UINT32_MAX)
        throw FaultSyntaxError("error code \"" + number +
                               "\" is neither a 32-bit number nor an APIERR_ name");
    return GSErrCode(UInt32(value));
}

void Faults::AddFail(std::string_view rule) {
    const auto equals = rule.rfind('=');
    if (equals == std::string_view::npos)
        throw FaultSyntaxError("\"" + std::string(rule) + "\" has no =CODE");
    FailRule fail;
    fail.code = ParseErrCode(rule.substr(equals + 1));
    std::string_view where = rule.substr(0, equals);
    if (const auto at = where.find('@'); at != std::string_view::npos) {
        std::string_view number = where.substr(at + 1);
        // "@N+": the N-th call and every one after it, as when a resource stays exhausted.
        fail.onwards = number.ends_with('+');
        if (fail.onwards) number.remove_suffix(1);
        fail.nth = ParseCallNumber(number);
        where = where.substr(0, at);
    }
    Target target = ParseTarget(where);
    fail.op = std::move(target.op);
    fail.selector = target.selector;
    fails_.push_back(std::move(fail));
}

void Faults::AddEmpty(std::string_view rule) {
    Target target = ParseTarget(rule);
    if (target.selector == 0)
        emptySlots_.push_back(std::move(target.op));
    else
        emptySelectors_.push_back({std::move(target.op), target.selector});
}

std::optional<GSErrCode> Faults::Check(std::string_view op, GSType selector) {
    for (const EmptySelector& empty : emptySelectors_)
        if (empty.op == op && empty.selector == selector) return APIERR_MISSINGCODE;

    // Every matching rule counts the call, so that two rules on one operation keep their own
    // numbering; the first rule that fires wins.
    std::optional<GSErrCode> result;
    for (FailRule& fail : fails_) {
        if (fail.op != op || (fail.selector != 0 && fail.selector != selector)) continue;
        ++fail.calls;
        const bool fires =
            fail.nth == 0 || fail.nth == fail.calls || (fail.onwards && fail.calls > fail.nth);
        if (fires && !result) result = fail.code;
    }
    return result;
}

}  // namespace planhost
