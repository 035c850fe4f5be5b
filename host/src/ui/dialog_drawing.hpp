// A drawing of an open modal dialog as the user sees it: window frame and title, every item at
// its layout position with its current text, choice and enabled state, pictures embedded as PNG
// data. Items outside the client area are not seen and not drawn.
#pragma once

#include <string>

#include "DG/ModalDialog.hpp"

namespace planhost {

// Whether any part of the item lies within the dialog's client area.
bool IsItemVisible(const DG::ModalDialogSession& session, short item);

// A standalone SVG document, drawn at twice the dialog's size.
std::string DrawDialogSvg(const DG::ModalDialogSession& session);

// Writes the drawing to path; false when the file cannot be written.
bool SaveDialogSvg(const DG::ModalDialogSession& session, const std::string& path);

}  // namespace planhost
