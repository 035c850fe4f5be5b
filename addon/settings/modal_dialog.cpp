#include "settings/modal_dialog.hpp"

#include "frame/resource_module.hpp"

void ModalDialog::Bind(UInt16 layoutId, DGDialCallBack callback, DGUserData userData) {
    layoutId_ = layoutId;
    callback_ = callback;
    userData_ = userData;
}

void ModalDialog::Run() {
    // The closing item is not needed: each dialog's callback has already acted on it.
    DGModalDialog(frame::OwnResModule(), short(layoutId_), frame::OwnResModule(), callback_,
                  userData_);
}
