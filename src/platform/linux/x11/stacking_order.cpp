#include "platform/linux/x11/stacking_order.h"

#include <algorithm>

namespace somnara::platform::x11 {

void StackingOrder::Add(Id id) {
  if (std::find(sequence_.begin(), sequence_.end(), id) == sequence_.end()) sequence_.push_back(id);
}

void StackingOrder::Remove(Id id) {
  sequence_.erase(std::remove(sequence_.begin(), sequence_.end(), id), sequence_.end());
  owner_.erase(id);
  for (auto& [window, owner] : owner_)
    if (owner == id) owner = 0;
}

bool StackingOrder::SetOwner(Id id, Id owner) {
  if (owner == id || (owner != 0 && IsOwnedBy(owner, id))) return false;
  if (owner == 0)
    owner_.erase(id);
  else
    owner_[id] = owner;
  return true;
}

StackingOrder::Id StackingOrder::OwnerOf(Id id) const {
  auto it = owner_.find(id);
  return it == owner_.end() ? 0 : it->second;
}

bool StackingOrder::IsOwnedBy(Id id, Id ancestor) const {
  // Owner chains are short; the step limit guards against a loop all the same.
  for (size_t steps = 0; steps <= owner_.size(); ++steps) {
    id = OwnerOf(id);
    if (id == 0) return false;
    if (id == ancestor) return true;
  }
  return false;
}

void StackingOrder::Raise(Id id) {
  Add(id);
  std::vector<Id> moving;
  std::vector<Id> staying;
  for (Id w : sequence_) {
    if (w == id || IsOwnedBy(w, id))
      moving.push_back(w);
    else
      staying.push_back(w);
  }
  // The raised window goes first, its owned windows above it in their old order.
  std::stable_partition(moving.begin(), moving.end(), [id](Id w) { return w == id; });
  staying.insert(staying.end(), moving.begin(), moving.end());
  sequence_ = std::move(staying);
}

std::vector<StackingOrder::Id> StackingOrder::Arrange(const std::vector<Visible>& visible) const {
  std::vector<Visible> ordered;
  for (Id w : sequence_)
    for (const Visible& v : visible)
      if (v.id == w) ordered.push_back(v);
  std::stable_partition(ordered.begin(), ordered.end(), [](const Visible& v) { return !v.on_top; });
  std::vector<Id> result;
  for (const Visible& v : ordered) result.push_back(v.id);
  return result;
}

}  // namespace somnara::platform::x11
