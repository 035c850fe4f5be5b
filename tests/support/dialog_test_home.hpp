// For tests of the dialogs: the add-on's resource module opened as on library load, a fresh
// settings home for each test, and a driver that acts as the user.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "DG/Interaction.hpp"
#include "DG/ModalDialog.hpp"
#include "frame/resource_module.hpp"
#include "settings_test_home.hpp"

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { frame::OnLibraryLoad("Stakewise.so"); }
    void TearDown() override { frame::OnLibraryUnload(); }

    std::string SettingsPath() const { return home_.IniFile(); }
    bool SettingsFileExists() const {
        return std::filesystem::exists(IO::PathFromUtf8(SettingsPath()));
    }
    std::string SettingsFile() const { return ReadWholeFile(SettingsPath()); }
    void WriteSettingsFile(const std::string& content) const {
        std::filesystem::create_directories(IO::PathFromUtf8(home_.Folder()));
        WriteWholeFile(SettingsPath(), content);
    }

private:
    SettingsTestHome home_;
};

// Runs a script on each modal dialog while the object lives; file dialogs are cancelled and
// alerts answered with their first button.
class ScriptedDialogDriver : public DG::InteractionDriver {
public:
    using Script = std::function<void(DG::ModalDialogSession&)>;

    explicit ScriptedDialogDriver(Script script) : script_(std::move(script)) {
        previous_ = DG::SetInteractionDriver(this);
    }
    ~ScriptedDialogDriver() override { DG::SetInteractionDriver(previous_); }
    ScriptedDialogDriver(const ScriptedDialogDriver&) = delete;
    ScriptedDialogDriver& operator=(const ScriptedDialogDriver&) = delete;

    int dialogsDriven() const { return dialogsDriven_; }

    bool AnswerFileDialog(const DG::FileDialogRequest&, IO::Location*) override { return false; }
    short AnswerAlert(const DG::AlertRequest&) override { return 1; }
    void DriveModalDialog(DG::ModalDialogSession& session) override {
        ++dialogsDriven_;
        if (script_) script_(session);
    }

private:
    Script script_;
    DG::InteractionDriver* previous_ = nullptr;
    int dialogsDriven_ = 0;
};
