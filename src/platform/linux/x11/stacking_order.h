#pragma once

#include <unordered_map>
#include <vector>

namespace somnara::platform::x11 {

// The program's own stacking policy where no window manager runs: the most recently
// raised window is on top, a window raised takes the windows it owns along above
// itself, and stay-on-top windows stand above the others. Windows are X ids.
class StackingOrder {
 public:
  using Id = unsigned long;

  struct Visible {
    Id id;
    bool on_top;  // the window's own flag, or inherited from an owner
  };

  // New windows start at the top.
  void Add(Id id);
  void Remove(Id id);
  // 0 for no owner. An owner that would make a loop is refused (returns false).
  bool SetOwner(Id id, Id owner);
  Id OwnerOf(Id id) const;
  // Moves `id` and, above it in their present order, every window it owns directly
  // or indirectly, to the top.
  void Raise(Id id);

  // Bottom-to-top order of the given windows.
  std::vector<Id> Arrange(const std::vector<Visible>& visible) const;

 private:
  bool IsOwnedBy(Id id, Id ancestor) const;

  std::vector<Id> sequence_;  // bottom to top
  std::unordered_map<Id, Id> owner_;
};

}  // namespace somnara::platform::x11
