// The Info box: the add-on's name and version, the two logos and the maker lines, all from its
// layout. It reads and writes nothing; OK (or the hidden Cancel) closes it.
#pragma once

#include "settings/modal_dialog.hpp"

class InfoDialog : public ModalDialog {
public:
    void Run();

    static short OnInfoDialogEvent(short message, short dialId, short item, DGUserData userData,
                                   DGMessageData msgData);
};
