// The Settings dialog: symbol size, start number and library object, shown from the settings
// file and saved to it on OK (an alert tells when that fails; the dialog closes either way). OK
// is enabled only while both numbers read as non-zero.
#pragma once

#include <string_view>

#include "settings/modal_dialog.hpp"

// True when the text, in the host's default code page, reads as a whole number other than 0 by
// the atoi rules ("5 m" is 5, "7.5" is 7, "0.5" and "abc" are 0).
bool IsNonZeroNumber(const GS::UniString& text);

class SettingsDialog : public ModalDialog {
public:
    // False when the dialog was closed with Cancel.
    bool Run();

    static short OnSettingsDialogEvent(short message, short dialId, short item, DGUserData userData,
                                       DGMessageData msgData);

private:
    void Open();
    void Save() const;
    void UpdateOkButton() const;

    short dialogId_ = 0;
    bool cancelled_ = false;
};
