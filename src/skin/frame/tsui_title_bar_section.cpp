#include "skin/frame/tsui_title_bar_section.h"

#include "framework/application.h"
#include "skin/frame/tsui_title_bar.h"

namespace somnara::skin {

const std::vector<std::string>& TitleBarAlignNames() {
  static const std::vector<std::string> names = {"suiLeft", "suiRight", "suiClient"};
  return names;
}

void TsuiTitleBarSection::SetAutoSize(bool on) {
  auto_size_ = on;
  if (!picture_.Empty()) width_ = picture_.Width();
  Changed();
}

void TsuiTitleBarSection::SetWidth(int width) {
  width_ = width;
  Changed();
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign align) {
  if (align == TsuiTitleBarAlign::suiClient && sections_->HasClientOtherThan(this)) {
    fw::App().ShowException("Sorry, only one section's Align property can be \"suiClient\"");
    return;
  }
  align_ = align;
  if (align_ == TsuiTitleBarAlign::suiClient) stretch_ = true;
  Changed();
}

void TsuiTitleBarSection::SetPicture(const fw::Bitmap& picture) {
  picture_ = picture;
  picture_.SetTransparent(false);
  if (auto_size_) width_ = picture_.Width();
  Changed();
}

void TsuiTitleBarSection::SetStretch(bool on) {
  stretch_ = on || align_ == TsuiTitleBarAlign::suiClient;
  Changed();
}

void TsuiTitleBarSection::SetCapSec(bool on) {
  cap_sec_ = on;
  Changed();
}

void TsuiTitleBarSection::Assign(const TsuiTitleBarSection& other) {
  SetWidth(other.width_);
  SetAlign(other.align_);
  SetPicture(other.picture_);
  SetStretch(other.stretch_);
  SetAutoSize(other.auto_size_);
}

int TsuiTitleBarSection::Index() const {
  return sections_->IndexOf(this);
}

void TsuiTitleBarSection::Changed() {
  sections_->Changed();
}

TsuiTitleBarSection& TsuiTitleBarSections::Add() {
  items_.push_back(std::make_unique<TsuiTitleBarSection>(*this));
  Changed();
  return *items_.back();
}

void TsuiTitleBarSections::Clear() {
  items_.clear();
  Changed();
}

void TsuiTitleBarSections::Assign(const TsuiTitleBarSections& other) {
  if (&other == this) return;
  Clear();
  for (const auto& item : other.items_) Add().Assign(*item);
}

int TsuiTitleBarSections::IndexOf(const TsuiTitleBarSection* section) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == section) return int(i);
  return -1;
}

bool TsuiTitleBarSections::HasClientOtherThan(const TsuiTitleBarSection* except) const {
  for (const auto& item : items_)
    if (item.get() != except && item->Align() == TsuiTitleBarAlign::suiClient) return true;
  return false;
}

void TsuiTitleBarSections::Changed() {
  ++generation_;
  if (title_bar_ != nullptr) title_bar_->Invalidate();
}

const std::vector<ItemProperty<TsuiTitleBarSection>>& TsuiTitleBarSections::ItemProperties() {
  using S = TsuiTitleBarSection;
  static const std::vector<ItemProperty<S>> list = {
      {"AutoSize", [](const S& s) { return fw::Value::Bool(s.AutoSize()); },
       [](S& s, const fw::Value& v) { s.SetAutoSize(fw::ValueToBool(v)); }},
      {"Width", [](const S& s) { return fw::Value::Integer(s.Width()); },
       [](S& s, const fw::Value& v) { s.SetWidth(int(fw::ValueToInteger(v))); }},
      {"Align",
       [](const S& s) { return fw::Value::Identifier(TitleBarAlignNames()[size_t(s.Align())]); },
       [](S& s, const fw::Value& v) {
         s.SetAlign(TsuiTitleBarAlign(fw::ValueToEnum(v, TitleBarAlignNames())));
       }},
      {"Picture", [](const S& s) { return PictureValue(s.Picture()); },
       [](S& s, const fw::Value& v) { s.SetPicture(PictureFromValue(v)); }},
      {"Picture.Data", nullptr,
       [](S& s, const fw::Value& v) { s.SetPicture(PictureFromValue(v)); }},
      {"Stretch", [](const S& s) { return fw::Value::Bool(s.Stretch()); },
       [](S& s, const fw::Value& v) { s.SetStretch(fw::ValueToBool(v)); }},
      {"CapSec", [](const S& s) { return fw::Value::Bool(s.CapSec()); },
       [](S& s, const fw::Value& v) { s.SetCapSec(fw::ValueToBool(v)); }},
  };
  return list;
}

}  // namespace somnara::skin
