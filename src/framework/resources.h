#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace somnara::fw {

// Data built into the executable: window descriptions, bitmaps, the stored skin.
struct ResourceEntry {
  const char* name;  // path below resources/, for example "forms/TForm1.wnd"
  const std::uint8_t* data;
  std::size_t size;
};

// Adds a table ended by an entry whose name is null. Later tables win on equal names,
// which lets a test put a resource of its own over the program's.
void RegisterResources(const ResourceEntry* table);

// Registers the program's own table, whose data lives in the program file's read-only
// part; the generated resource source calls it.
void RegisterBuiltInResources(const ResourceEntry* table);
// Lets the system take back the memory of the built-in resources: they are read when
// windows are made, and read again from the program file if one is made later.
void ReleaseBuiltInResourcePages();

// The bytes of a resource, or an empty span with found == false.
struct ResourceLookup {
  std::span<const std::uint8_t> bytes;
  bool found = false;
};
ResourceLookup FindResource(std::string_view name);

}  // namespace somnara::fw

namespace somnara::resources {
// Defined in the generated resource source of the program.
void RegisterProgramResources();
}  // namespace somnara::resources
