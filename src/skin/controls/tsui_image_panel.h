#pragma once

#include "skin/controls/tsui_custom_panel.h"

namespace somnara::skin {

// A panel showing a picture (plain, stretched or tiled) and an optional one-line caption,
// optionally see-through to its parent; the track bar's slider is one.
class TsuiImagePanel : public TsuiCustomPanel {
 public:
  explicit TsuiImagePanel(fw::Component* owner) : TsuiCustomPanel(owner) {}
  static const fw::ClassInfo& StaticClassInfo();
  const fw::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace somnara::skin
