#include "settings/info_dialog.hpp"

#include "frame/commands.hpp"

namespace {
constexpr short kInfoLayoutId = 32555;
}

void InfoDialog::Run() {
    Bind(kInfoLayoutId, OnInfoDialogEvent, reinterpret_cast<DGUserData>(this));
    ModalDialog::Run();
}

short InfoDialog::OnInfoDialogEvent(short message, short /*dialId*/, short item,
                                    DGUserData userData, DGMessageData /*msgData*/) {
    auto* dialog = reinterpret_cast<InfoDialog*>(userData);
    if (message == DG_MSG_INIT) dialog->dialogId_ = kInfoLayoutId;
    const bool closes = message == DG_MSG_CLICK && (item == DG_OK || item == DG_CANCEL);
    return closes ? item : 0;
}

void RunInfoDialog() {
    InfoDialog dialog;
    dialog.Run();
}
