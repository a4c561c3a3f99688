#include "framework/resources.h"

#include <vector>

#include "platform/platform.h"

namespace somnara::fw {
namespace {
std::vector<const ResourceEntry*>& Tables() {
  static std::vector<const ResourceEntry*> tables;
  return tables;
}
const ResourceEntry*& BuiltInTable() {
  static const ResourceEntry* table = nullptr;
  return table;
}
}  // namespace

void RegisterResources(const ResourceEntry* table) {
  for (const ResourceEntry* t : Tables())
    if (t == table) return;
  Tables().push_back(table);
}

void RegisterBuiltInResources(const ResourceEntry* table) {
  RegisterResources(table);
  BuiltInTable() = table;
}

void ReleaseBuiltInResourcePages() {
  const ResourceEntry* table = BuiltInTable();
  const auto release = platform::Current().release_file_pages;
  if (table == nullptr || release == nullptr) return;
  // The entries lie together in the program's read-only data, one range.
  const std::uint8_t* begin = nullptr;
  const std::uint8_t* end = nullptr;
  for (const ResourceEntry* e = table; e->name != nullptr; ++e) {
    if (begin == nullptr || e->data < begin) begin = e->data;
    if (end == nullptr || e->data + e->size > end) end = e->data + e->size;
  }
  if (begin != nullptr) release(begin, std::size_t(end - begin));
}

ResourceLookup FindResource(std::string_view name) {
  auto& tables = Tables();
  for (auto it = tables.rbegin(); it != tables.rend(); ++it)
    for (const ResourceEntry* e = *it; e->name != nullptr; ++e)
      if (name == e->name) return {{e->data, e->size}, true};
  return {};
}

}  // namespace somnara::fw
