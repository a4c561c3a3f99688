#pragma once

#include "framework/controls/image_list.h"

namespace somnara::skin {

// Fills `images` with the one check image of the skinned menus: the picture MENU_CHECKED,
// its white left out.
void AddMenuCheckImage(fw::ImageList& images);

// The check images every skinned popup menu of the process shares, made on first use.
const fw::ImageList& SharedMenuCheckImages();

}  // namespace somnara::skin
