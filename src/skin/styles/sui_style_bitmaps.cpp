#include "skin/styles/sui_style_bitmaps.h"

#include <map>
#include <mutex>

#include "framework/resources.h"

namespace somnara::skin {

namespace {

// Decoded pictures, remembered with the resource bytes they came from: a resource table
// registered later (a test's own picture) wins over the program's, and is noticed here.
struct CachedPicture {
  const uint8_t* data = nullptr;
  size_t size = 0;
  fw::Bitmap bitmap;
};

std::mutex& CacheMutex() {
  static std::mutex m;
  return m;
}
std::map<std::string, CachedPicture, std::less<>>& Cache() {
  static std::map<std::string, CachedPicture, std::less<>> cache;
  return cache;
}

}  // namespace

std::string StyleBitmapResourceName(std::string_view name) {
  if (name.empty()) return {};
  std::string upper;
  upper.reserve(name.size());
  for (char c : name) {
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    bool digit = c >= '0' && c <= '9';
    if (!letter && !digit && c != '_') return {};
    upper += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
  }
  return "generated/styles/" + upper + ".bmp";
}

bool LoadStyleBitmap(std::string_view name, fw::Bitmap& target) {
  std::string resource = StyleBitmapResourceName(name);
  if (resource.empty()) return false;
  fw::ResourceLookup found = fw::FindResource(resource);
  if (!found.found) return false;
  std::lock_guard lock(CacheMutex());
  CachedPicture& cached = Cache()[resource];
  if (cached.data != found.bytes.data() || cached.size != found.bytes.size()) {
    fw::Bitmap decoded;
    decoded.LoadFromBytes(found.bytes);
    cached.bitmap = std::move(decoded);
    cached.data = found.bytes.data();
    cached.size = found.bytes.size();
  }
  // Only pixels and size are replaced; the target keeps its own transparency settings.
  bool transparent = target.Transparent();
  bool fixed = target.HasFixedTransparentColor();
  fw::Color key = target.TransparentColor();
  target = cached.bitmap;
  target.SetTransparent(transparent);
  if (fixed) target.SetTransparentColor(key);
  return true;
}

StyleResourceError::StyleResourceError(std::string_view name)
    : fw::Exception(name.empty() ? std::string("Resource without a name cannot be loaded")
                                 : "Resource " + std::string(name) + " not found") {}

}  // namespace somnara::skin
