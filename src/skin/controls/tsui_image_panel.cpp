#include "skin/controls/tsui_image_panel.h"

#include "framework/controls/property_helpers.h"

namespace somnara::skin {

const fw::ClassInfo& TsuiImagePanel::StaticClassInfo() {
  using T = TsuiCustomPanel;
  using C = fw::Control;
  static const fw::RegisteredClassInfo info = [] {
    fw::ClassInfo i("TsuiImagePanel", &TsuiCustomPanel::StaticClassInfo(),
                    [](fw::Component* o) { return new TsuiImagePanel(o); });
    i.Add(fw::BinaryProperty<T>("Picture", &T::PictureBytes, &T::SetPictureBytes));
    i.Add(fw::BinaryProperty<T>("Picture.Data", &T::PictureBytes, &T::SetPictureBytes));
    i.Add(fw::BoolProperty<C>("Transparent", &C::Transparent, &C::SetTransparent));
    i.Add(fw::BoolProperty<T>("AutoSize", &T::AutoSize, &T::SetAutoSize));
    // Alignment, Align, Font, Caption, Color, BorderWidth, TabStop, TabOrder, Visible,
    // PopupMenu and the mouse events come from the bases.
    i.Add(fw::EnumProperty<T, TsuiDrawStyle>("DrawStyle", DrawStyleNames(), &T::DrawStyle,
                                             &T::SetDrawStyle));
    return i;
  }();
  return info;
}

}  // namespace somnara::skin
