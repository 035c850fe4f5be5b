// The host's border logic without a module: fault rules, the token check and the trace order.
#include "session.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "faults.hpp"
#include "model/model.hpp"
#include "planhost_runner.hpp"
#include "trace.hpp"
#include "views.hpp"

namespace planhost {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

constexpr GSType kGDAT = FourCC("GDAT");
constexpr GSType kCDAT = FourCC("CDAT");

TEST(FaultsTest, NumberedRuleFiresOnlyOnItsCallAndCountsEverySelectorWhenNoneIsNamed) {
    Faults faults;
    faults.AddFail("ACAPI_Database@3=0x81060001");
    EXPECT_EQ(faults.Check("ACAPI_Database", kGDAT), std::nullopt);
    EXPECT_EQ(faults.Check("ACAPI_Automate", kGDAT), std::nullopt);  // not counted
    EXPECT_EQ(faults.Check("ACAPI_Database", kCDAT), std::nullopt);
    EXPECT_THAT(faults.Check("ACAPI_Database", kGDAT), Optional(APIERR_GENERAL));
    EXPECT_EQ(faults.Check("ACAPI_Database", kGDAT), std::nullopt);
}

TEST(FaultsTest, SelectorRulesCountTheirOwnCallsAndEmptySelectorsWin) {
    Faults faults;
    faults.AddFail("ACAPI_Database:CDAT@2=-1");
    faults.AddFail("ACAPI_Database=APIERR_CANCEL");
    faults.AddEmpty("ACAPI_Database:GDAT");
    EXPECT_THAT(faults.Check("ACAPI_Database", kGDAT), Optional(APIERR_MISSINGCODE));
    EXPECT_THAT(faults.Check("ACAPI_Database", kCDAT), Optional(APIERR_CANCEL));
    EXPECT_THAT(faults.Check("ACAPI_Database", kCDAT), Optional(GSErrCode(-1)));
    EXPECT_TRUE(faults.emptySlots().empty());
}

TEST(FaultsTest, ErrorCodesReadAsHexDecimalNegativeOrName) {
    EXPECT_EQ(ParseErrCode("0x81060387"), APIERR_MISSINGCODE);
    EXPECT_EQ(ParseErrCode("-2130312313"), APIERR_MISSINGCODE);
    EXPECT_EQ(ParseErrCode("APIERR_MISSINGCODE"), APIERR_MISSINGCODE);
    EXPECT_EQ(ParseErrCode("0"), NoError);
    EXPECT_THROW(ParseErrCode("0x100000000"), FaultSyntaxError);
    EXPECT_THROW(ParseErrCode("12abc"), FaultSyntaxError);
    EXPECT_THROW(ParseErrCode(""), FaultSyntaxError);
}

class SessionBorderTest : public ::testing::Test {
protected:
    std::vector<std::string> TraceLines() {
        session.reset();  // closes the trace file
        return planhost_test::SplitLines(runner.ReadFile("trace.txt"));
    }

    planhost_test::PlanhostRunner runner;  // only for its temporary folder
    std::unique_ptr<Session> session = std::make_unique<Session>(
        nullptr, std::make_unique<Views>(), std::make_unique<Faults>(),
        std::make_unique<Trace>((runner.folder() / "trace.txt").string()));
};

TEST_F(SessionBorderTest, TokenZeroIsTakenOnlyWhereAllowedAndHostExceptionsBecomeAGeneralError) {
    const auto succeed = [](std::string&) { return NoError; };
    const auto fail = [](std::string&) -> GSErrCode { throw std::runtime_error("disk full"); };
    EXPECT_EQ(session->Call(0, "ACAPI_Register_Menu", 0, succeed, true), NoError);
    EXPECT_EQ(session->Call(0, "ACAPI_Database", kGDAT, succeed), APIERR_BADTOKEN);
    const API_Token token = session->IssueToken();
    EXPECT_EQ(session->Call(token + 1, "ACAPI_Database", kGDAT, succeed), APIERR_BADTOKEN);
    EXPECT_EQ(session->Call(token, "ACAPI_Database", kGDAT, succeed), NoError);
    EXPECT_EQ(session->Call(token, "ACAPI_Element_Get", 0, fail), APIERR_GENERAL);
    session->RevokeToken();
    EXPECT_EQ(session->Call(token, "ACAPI_Database", kGDAT, succeed), APIERR_BADTOKEN);
    EXPECT_THAT(
        TraceLines(),
        ElementsAre("ACAPI_Register_Menu -> 0x0", "ACAPI_Database GDAT -> 0x81060100",
                    "ACAPI_Database GDAT -> 0x81060100", "ACAPI_Database GDAT -> 0x0",
                    "ACAPI_Element_Get -> 0x81060001", "ACAPI_Database GDAT -> 0x81060100"));
}

TEST_F(SessionBorderTest, NestedCallsAreTracedInTheOrderTheyStarted) {
    const API_Token token = session->IssueToken();
    session->Call(token, "ACAPI_CallUndoableCommand", 0, [&](std::string& details) {
        details = "\"Create text\"";
        return session->Call(token, "ACAPI_Element_Create", 0,
                             [](std::string&) { return APIERR_BADVALUE; });
    });
    EXPECT_THAT(TraceLines(), ElementsAre("ACAPI_CallUndoableCommand \"Create text\" -> 0x81060031",
                                          "ACAPI_Element_Create -> 0x81060031"));
}

}  // namespace
}  // namespace planhost
