#include "framework/resources.h"

#include <vector>

namespace somnara::fw {
namespace {
std::vector<const ResourceEntry*>& Tables() {
  static std::vector<const ResourceEntry*> tables;
  return tables;
}
}  // namespace

void RegisterResources(const ResourceEntry* table) {
  for (const ResourceEntry* t : Tables())
    if (t == table) return;
  Tables().push_back(table);
}

ResourceLookup FindResource(std::string_view name) {
  auto& tables = Tables();
  for (auto it = tables.rbegin(); it != tables.rend(); ++it)
    for (const ResourceEntry* e = *it; e->name != nullptr; ++e)
      if (name == e->name) return {{e->data, e->size}, true};
  return {};
}

}  // namespace somnara::fw
