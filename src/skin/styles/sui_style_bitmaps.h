#pragma once

#include <string>
#include <string_view>

#include "framework/exceptions.h"
#include "framework/graphics/bitmap.h"

namespace somnara::skin {

// The pictures of the built-in styles and the style-independent pictures of the skin
// library (MSGDLG, MENU_CHECKED, MACOS_MENU_BAR, ...) are built into the executable by the
// picture generator, each as the 24-bit BMP file "generated/styles/<NAME>.bmp". <NAME> is
// the picture's name in capitals, exactly as the style catalogue and the controls name it.

// The embedded resource that holds a picture; empty for a name that cannot be one (empty,
// or with characters other than letters, digits and '_').
std::string StyleBitmapResourceName(std::string_view name);

// Loads the picture `name` (letter case does not matter) into `target`, replacing its
// pixels and size. False, with `target` unchanged, when the name is empty or no such
// picture exists. A damaged picture throws fw::Exception.
bool LoadStyleBitmap(std::string_view name, fw::Bitmap& target);

// The resource error of the loader: "Resource <NAME> not found" (or, for an empty name,
// "Resource without a name cannot be loaded").
class StyleResourceError : public fw::Exception {
 public:
  explicit StyleResourceError(std::string_view name);
};

}  // namespace somnara::skin
