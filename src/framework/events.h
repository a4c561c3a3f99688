#pragma once

#include <functional>

namespace somnara::fw {

class Component;

// Event handler types shared by components.
using NotifyEvent = std::function<void(Component* sender)>;

enum class MouseButton { kLeft, kRight, kMiddle };
// Shift-state bits of mouse and key events.
enum ShiftState : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};

using MouseEvent =
    std::function<void(Component* sender, MouseButton button, unsigned shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component* sender, unsigned shift, int x, int y)>;
using KeyEvent = std::function<void(Component* sender, uint32_t& key, unsigned shift)>;
using KeyPressEvent = std::function<void(Component* sender, char32_t& key)>;

enum class CloseAction { kNone, kHide, kFree, kMinimize };
using CloseEvent = std::function<void(Component* sender, CloseAction& action)>;
using CloseQueryEvent = std::function<void(Component* sender, bool& can_close)>;

}  // namespace somnara::fw
