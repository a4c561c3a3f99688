#include "skin/frame/menu_check_images.h"

#include "skin/styles/sui_style_bitmaps.h"

namespace somnara::skin {

void AddMenuCheckImage(fw::ImageList& images) {
  fw::Bitmap check;
  if (!LoadStyleBitmap("MENU_CHECKED", check)) throw StyleResourceError("MENU_CHECKED");
  images.AddMasked(check, fw::clWhite);
}

const fw::ImageList& SharedMenuCheckImages() {
  struct CheckImages {
    CheckImages() { AddMenuCheckImage(list); }
    fw::ImageList list{nullptr};
  };
  static const CheckImages images;
  return images.list;
}

}  // namespace somnara::skin
