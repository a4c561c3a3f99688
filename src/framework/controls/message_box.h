#pragma once

#include <string>

namespace somnara::fw {

// The standard message box: a modal dialog with the caption, the message (wrapped when
// long) and an "OK" button that Enter and Escape both press, centred on the screen and
// sized to the text. Returns the modal result (mrOk, or mrCancel when closed otherwise).
// Windows shown modally while it is up leave it usable.
int ShowMessageBox(const std::string& caption, const std::string& text);

// Installs ShowMessageBox as the application's error box. While a box with a message is
// up, the same message raised again (a failing timer, say) is written to standard error
// instead of piling up another box.
void InstallStandardDialogs();

}  // namespace somnara::fw
