#pragma once

#include "framework/component.h"

namespace somnara::skin {

// What every skinned control needs to know about the skin theme it names: whether the
// theme has a loaded skin it can answer from. The skin file theme components derive from
// this, so that style resolution does not depend on how a theme reads its skin.
class TsuiThemeBase : public fw::Component {
 public:
  explicit TsuiThemeBase(fw::Component* owner) : fw::Component(owner) {}
  // True when the last load of the skin succeeded.
  virtual bool Ready() const = 0;
};

}  // namespace somnara::skin
