#pragma once

#include <string>

#include "platform/geometry.h"
#include "support/screen_image.h"

namespace somnara::testing {

// The standard message box as the window framework draws it for a caption and a text,
// shown by this process on a display and grabbed from the screen. A box the program
// shows with the same text has the same size and the same pixels where the text is.
struct ReferenceBox {
  Size size;                // the whole box window
  Rect text;                // the message, in window coordinates
  Rect ok;                  // the "OK" button, in window coordinates
  ScreenImage text_pixels;  // placed at (0, 0)
};

bool DrawReferenceBox(const std::string& display, const std::string& caption,
                      const std::string& text, ReferenceBox* box, std::string* error);

}  // namespace somnara::testing
