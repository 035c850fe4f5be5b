// DG::InteractionDriver: whoever answers the user interactions of the support libraries (file
// dialogs, alerts, modal dialogs). The host installs one at start and removes it before it
// exits; without one, every dialog is cancelled and every alert answered with its first button.
// Called on the user-interface thread, inside the add-on's command.
#pragma once

// Host only: the add-on's build has no STAKEWISE_HOST_SIDE and stops here.
#ifndef STAKEWISE_HOST_SIDE
#error "this header is for the host only; an add-on reaches the host through the API contract"
#endif

#include <array>

#include "GS/UniString.hpp"
#include "IO/Location.hpp"

namespace DG {

struct FileDialogRequest {
    Int32 type;                // FileDialog::Type
    GS::UniString title;       // empty when none was set
    GS::UniString filterText;  // e.g. ".txt"
    GS::UniString extension;   // of the first filter's type, e.g. "txt"
};

enum class AlertKind { Information, Error, Report };

struct AlertRequest {
    AlertKind kind;
    GS::UniString largeText;
    GS::UniString smallText;
    std::array<GS::UniString, 3> buttons;  // empty texts are no button
};

class ModalDialogSession;  // a modal dialog that is open: see DG/ModalDialog.hpp

class InteractionDriver {
public:
    virtual ~InteractionDriver() = default;
    // True with the chosen file when the user confirms; false when the user cancels.
    virtual bool AnswerFileDialog(const FileDialogRequest& request, IO::Location* chosen) = 0;
    // The 1-based number of the pressed button.
    virtual short AnswerAlert(const AlertRequest& request) = 0;
    // Feeds the user's events to an open modal dialog until it closes.
    virtual void DriveModalDialog(ModalDialogSession& session) = 0;
};

// Installs the driver (borrowed; null removes it). Returns the previous one.
InteractionDriver* SetInteractionDriver(InteractionDriver* driver);
InteractionDriver* GetInteractionDriver();

}  // namespace DG
