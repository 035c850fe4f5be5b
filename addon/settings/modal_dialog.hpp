// ModalDialog: a dialog layout of the add-on's own resources, the callback that receives its
// messages and the user data handed to that callback, run as the host's modal dialog.
#pragma once

#include "DG/DialogCalls.hpp"

class ModalDialog {
public:
    void Bind(UInt16 layoutId, DGDialCallBack callback, DGUserData userData);
    // Returns once the dialog has closed.
    void Run();

private:
    UInt16 layoutId_ = 0;
    DGDialCallBack callback_ = nullptr;
    DGUserData userData_ = 0;
};
