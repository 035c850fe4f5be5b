// An interaction driver for unit tests: runs a script on each modal dialog and records what the
// dialog showed when the script ended. Installed for the lifetime of the object.
#pragma once

#include <functional>

#include "DG/Interaction.hpp"
#include "DG/ModalDialog.hpp"

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
