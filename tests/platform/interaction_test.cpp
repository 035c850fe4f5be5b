#include "DG/Interaction.hpp"

#include <gtest/gtest.h>

#include <optional>

#include "DG/Alert.hpp"
#include "DG/FileDialog.hpp"
#include "FTM/FileTypeManager.hpp"

namespace {

class ScriptedDriver : public DG::InteractionDriver {
public:
    bool AnswerFileDialog(const DG::FileDialogRequest& request, IO::Location* chosen) override {
        fileRequest = request;
        if (!answer) return false;
        *chosen = IO::Location(GS::UniString(answer->c_str()));
        return true;
    }
    short AnswerAlert(const DG::AlertRequest& request) override {
        alertRequest = request;
        return button;
    }
    void DriveModalDialog(DG::ModalDialogSession&) override {}

    std::optional<std::string> answer;
    short button = 1;
    std::optional<DG::FileDialogRequest> fileRequest;
    std::optional<DG::AlertRequest> alertRequest;
};

class Interaction : public testing::Test {
protected:
    void SetUp() override { previous = DG::SetInteractionDriver(&driver); }
    void TearDown() override { DG::SetInteractionDriver(previous); }

    FTM::TypeID PointsType() {
        FTM::FileTypeManager manager("Points");
        return FTM::FileTypeManager::SearchForType(
            FTM::FileType(nullptr, "txt", 0, 0, 0, nullptr, true), FTM::RootGroup);
    }

    ScriptedDriver driver;
    DG::InteractionDriver* previous = nullptr;
};

TEST_F(Interaction, SearchForTypeRegistersOnceAndFindsCaseInsensitively) {
    const FTM::TypeID id = PointsType();
    EXPECT_NE(id, 0);
    EXPECT_EQ(PointsType(), id);
    EXPECT_EQ(FTM::FileTypeManager::SearchForType(FTM::FileType("Text", ".TXT", 0, 0, 0)), id);
    EXPECT_NE(FTM::FileTypeManager::SearchForType(FTM::FileType(nullptr, "txt", 0, 0, 0), 7), id);
    ASSERT_NE(FTM::FileTypeManager::GetType(id), nullptr);
    EXPECT_EQ(FTM::FileTypeManager::GetType(id)->Extension(), "txt");
    EXPECT_EQ(FTM::FileTypeManager::GetType(0), nullptr);
    EXPECT_EQ(FTM::FileTypeManager::GetType(100000), nullptr);
}

TEST_F(Interaction, FileDialogAsksTheDriver) {
    const struct {
        DG::FileDialog::Type type;
        std::optional<std::string> answer;
        bool confirmed;
        std::string selected;
    } cases[] = {
        {DG::FileDialog::OpenFile, "/data/points.txt", true, "/data/points.txt"},
        {DG::FileDialog::OpenFile, "/data/points", true, "/data/points"},
        {DG::FileDialog::Save, "/data/out", true, "/data/out.txt"},
        {DG::FileDialog::Save, "/data/out.csv", true, "/data/out.csv"},
        {DG::FileDialog::Save, std::nullopt, false, ""},
        {DG::FileDialog::OpenFile, "", false, ""},
    };
    for (const auto& c : cases) {
        driver.answer = c.answer;
        DG::FileDialog dialog(c.type);
        const Int32 filter = dialog.AddFilter(PointsType(), DG::FileDialog::AppendExtension);
        dialog.SetFilterText(filter, GS::UniString(".txt"));
        dialog.SetTitle(GS::UniString("Export Points"));
        EXPECT_EQ(dialog.Invoke(), c.confirmed);
        EXPECT_EQ(dialog.GetSelectedFile(0).ToNativePath(), c.selected);
        EXPECT_TRUE(dialog.GetSelectedFile(1).IsEmpty());
        ASSERT_TRUE(driver.fileRequest);
        EXPECT_EQ(driver.fileRequest->type, c.type);
        EXPECT_EQ(driver.fileRequest->filterText, GS::UniString(".txt"));
        EXPECT_EQ(driver.fileRequest->extension, GS::UniString("txt"));
        EXPECT_EQ(driver.fileRequest->title, GS::UniString("Export Points"));
    }
    EXPECT_EQ(DG::FileDialog(DG::FileDialog::OpenFile).AddFilter(424242), -1);
}

TEST_F(Interaction, AlertsReturnThePressedShownButton) {
    const struct {
        short pressed;
        short returned;
    } cases[] = {{1, 1}, {2, 2}, {3, 1}, {0, 1}, {-4, 1}};
    for (const auto& c : cases) {
        driver.button = c.pressed;
        EXPECT_EQ(DG::ErrorAlert(GS::UniString("Object is not loaded."), {}, GS::UniString("OK"),
                                 GS::UniString("Cancel")),
                  c.returned);
        EXPECT_EQ(driver.alertRequest->kind, DG::AlertKind::Error);
    }
    DG::InformationAlert(GS::UniString("There are no Points!"), {}, GS::UniString("OK"));
    EXPECT_EQ(driver.alertRequest->kind, DG::AlertKind::Information);
    EXPECT_EQ(driver.alertRequest->largeText, GS::UniString("There are no Points!"));
}

TEST_F(Interaction, WithoutADriverDialogsCancelAndAlertsAnswerButtonOne) {
    EXPECT_EQ(DG::SetInteractionDriver(nullptr), &driver);
    DG::FileDialog dialog(DG::FileDialog::OpenFile);
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_TRUE(dialog.GetSelectedFile(0).IsEmpty());
    EXPECT_EQ(
        DG::InformationAlert(GS::UniString("a"), {}, GS::UniString("OK"), GS::UniString("No")), 1);
    EXPECT_FALSE(driver.fileRequest || driver.alertRequest);  // the driver that was set is out
}

}  // namespace
