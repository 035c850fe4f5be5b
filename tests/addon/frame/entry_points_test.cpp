// The add-on frame against a recording host table: handshake record, entry points before the
// table, empty slots, a floor-plan guard entered twice and the alert length.
#include "frame/entry_points.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/floor_plan_guard.hpp"
#include "frame/host_api.hpp"
#include "frame/reports.hpp"
#include "frame/resource_module.hpp"

using ::testing::IsEmpty;

namespace {

// What the recording host saw, one line per call.
std::vector<std::string> gCalls;
std::u16string gLastReport;

std::string SelectorText(GSType selector) {
    return {char(selector >> 24), char(selector >> 16), char(selector >> 8), char(selector)};
}

// The host shows a section.
GSErrCode RecordDatabase(API_Token, GSType selector, void* par1, void*, void*) {
    auto* info = static_cast<API_DatabaseInfo*>(par1);
    if (selector == APIDb_GetCurrentDatabaseID) info->typeID = APIWind_SectionID;
    gCalls.push_back(SelectorText(selector) + " type=" + std::to_string(info->typeID));
    return NoError;
}

GSErrCode RecordAutomate(API_Token, GSType selector, void* par1, void*, void*) {
    gCalls.push_back(SelectorText(selector) +
                     " type=" + std::to_string(static_cast<API_WindowInfo*>(par1)->typeID));
    return NoError;
}

GSErrCode RecordReport(API_Token, const GS::uchar_t* text, bool) {
    gLastReport = text;
    gCalls.push_back("report");
    return NoError;
}

API_EntryTable RecordingTable() {
    API_EntryTable table{};
    table.database = RecordDatabase;
    table.automate = RecordAutomate;
    table.writeReport = RecordReport;
    return table;
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        gCalls.clear();
        frame::OnLibraryLoad("/addons/Stakewise.so");
    }
    void TearDown() override {
        frame::StoreToken(0);
        frame::OnLibraryUnload();
    }
    void Receive(const API_EntryTable& table) { ASSERT_EQ(frame::ReceiveEntryTable(&table), 0); }
};

// The entry points in it are what planhost calls when it loads the module.
TEST_F(FrameTest, ExportRecordHoldsVersionAndHostReleaseAndZeroPadding) {
    unsigned char bytes[sizeof(API_ExportRecord)];
    std::memset(bytes, 0xAB, sizeof(bytes));
    frame::FillExportRecord(reinterpret_cast<API_ExportRecord*>(bytes));

    UInt32 version = 0, release = 0;
    std::memcpy(&version, bytes + 0, 4);
    std::memcpy(&release, bytes + 40, 4);
    EXPECT_EQ(version, 0x160001u);
    EXPECT_EQ(release, 22000u);
    for (std::size_t i : {4u, 5u, 6u, 7u, 44u, 80u, 119u}) EXPECT_EQ(bytes[i], 0) << i;
}

// Before the table every entry point refuses. The menu range and the host's own refusals are
// driven end to end; what the host never sends (an empty slot besides the menu's, no menu
// parameters) is driven here.
TEST_F(FrameTest, EntryPointsBeforeTheTableEmptySlotsAndMissingParametersCallNothing) {
    API_EnvirParams envir{};
    envir.serverInfo.serverApplication = APIAppl_ArchiCADID;
    EXPECT_EQ(frame::CheckEnvironment(&envir), APIAddon_DontRegister);
    EXPECT_EQ(frame::RegisterInterface(), APIERR_GENERAL);
    EXPECT_EQ(frame::Initialize(7), APIERR_GENERAL);
    EXPECT_EQ(frame::FreeData(), APIERR_GENERAL);
    Receive(RecordingTable());
    EXPECT_EQ(frame::RegisterInterface(), APIERR_MISSINGCODE);
    EXPECT_EQ(ACAPI_Element_Create(nullptr, nullptr), APIERR_MISSINGCODE);
    EXPECT_EQ(frame::MenuCommandHandler(nullptr), NoError);
    EXPECT_THAT(gCalls, IsEmpty());
}

// The switch and the way back are driven end to end; no command enters twice.
TEST_F(FrameTest, GuardEnteredTwiceSwitchesAndComesBackOnce) {
    Receive(RecordingTable());
    {
        FloorPlanGuard guard;
        guard.Enter();
        guard.Enter();
        guard.Leave();
        guard.Leave();
    }
    EXPECT_EQ(gCalls, (std::vector<std::string>{"GDAT type=2", "CDAT type=1", "CDAT type=2",
                                                "CHWD type=2"}));
}

TEST_F(FrameTest, AlertIsCutAt511Characters) {
    Receive(RecordingTable());
    const std::string longText(600, 'x');
    ShowAlert("%s", longText.c_str());
    EXPECT_EQ(gLastReport.size(), 511u);
    ShowAlert("Object is not loaded.");
    EXPECT_EQ(gLastReport, u"Object is not loaded.");
}

}  // namespace
