#include "skin/theme/tsui_built_in_file_theme.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "framework/class_info.h"
#include "framework/exceptions.h"
#include "framework/file_path.h"

namespace somnara::skin {

namespace {

// What a file holds, or none when it cannot be read whole.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(fw::PathFromUtf8(path), ec))
    return std::nullopt;
  std::ifstream in(fw::PathFromUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

fw::PropertyInfo SkinDataProperty() {
  fw::PropertyInfo p;
  p.name = "SkinData";
  p.type = fw::PropertyType::kBinary;
  p.get = [](const fw::Component& c) {
    fw::Value v;
    v.kind = fw::Value::Kind::kBinary;
    v.bytes = static_cast<const TsuiBuiltInFileTheme&>(c).SkinData();
    return v;
  };
  p.set = [](fw::Component& c, const fw::Value& v) {
    if (v.kind != fw::Value::Kind::kBinary)
      throw fw::Exception("Invalid property value: skin file data was expected");
    static_cast<TsuiBuiltInFileTheme&>(c).SetSkinData(v.bytes);
  };
  return p;
}

}  // namespace

const fw::ClassInfo& TsuiBuiltInFileTheme::StaticClassInfo() {
  static const fw::ClassInfo info = [] {
    fw::ClassInfo i("TsuiBuiltInFileTheme", &TsuiFileTheme::StaticClassInfo(),
                    [](fw::Component* owner) { return new TsuiBuiltInFileTheme(owner); });
    i.Add(fw::StringProperty<TsuiBuiltInFileTheme>("ThemeFile",
                                                   &TsuiBuiltInFileTheme::DesignThemeFile,
                                                   &TsuiBuiltInFileTheme::SetDesignThemeFile));
    i.Add(SkinDataProperty());
    return i;
  }();
  static const bool registered = (fw::ClassInfo::Register(info), true);
  (void)registered;
  return info;
}

TsuiBuiltInFileTheme::TsuiBuiltInFileTheme(fw::Component* owner) : TsuiFileTheme(owner) {}

TsuiBuiltInFileTheme::~TsuiBuiltInFileTheme() {
  BeginDestruction();
}

void TsuiBuiltInFileTheme::SetDesignThemeFile(const std::string& path) {
  design_theme_file_ = path;
  SetThemeFile(path);
}

std::vector<uint8_t> TsuiBuiltInFileTheme::SkinData() const {
  if (auto from_file = ReadWholeFile(design_theme_file_)) return std::move(*from_file);
  return skin_data_;
}

void TsuiBuiltInFileTheme::SetSkinData(std::span<const uint8_t> bytes) {
  skin_data_.assign(bytes.begin(), bytes.end());
  LoadThemeBytes(skin_data_);
}

void TsuiBuiltInFileTheme::Reload() {
  if (LoadedFromMemory())
    LoadThemeBytes(skin_data_);
  else
    TsuiFileTheme::Reload();
}

}  // namespace somnara::skin
