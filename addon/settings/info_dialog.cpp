#include "settings/info_dialog.hpp"

#include "frame/commands.hpp"

namespace {
constexpr short kInfoLayoutId = 32555;
}

void InfoDialog::Run() {
    Bind(kInfoLayoutId, OnInfoDialogEvent, reinterpret_cast<DGUserData>(this));
    ModalDialog::Run();
}

// The box shows its layout as it stands: nothing to set when it opens, only OK and the hidden
// Cancel to answer.
short InfoDialog::OnInfoDialogEvent(short message, short /*dialId*/, short item,
                                    DGUserData /*userData*/, DGMessageData /*msgData*/) {
    const bool closes = message == DG_MSG_CLICK && (item == DG_OK || item == DG_CANCEL);
    return closes ? item : 0;
}

void RunInfoDialog() {
    InfoDialog dialog;
    dialog.Run();
}
