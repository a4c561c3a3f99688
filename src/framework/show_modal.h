#pragma once

#include <memory>

#include "framework/form.h"

namespace somnara::fw {

// Creates a window of class T owned by `owner`, shows it modally and frees it once its loop
// has ended, however it ended; returns its modal result. For windows that live only while
// they are shown, such as an about box.
template <typename T>
int ShowModalAndFree(Component* owner) {
  std::unique_ptr<T> form(new T(owner));
  form->AfterConstruction();
  return form->ShowModal();
}

}  // namespace somnara::fw
