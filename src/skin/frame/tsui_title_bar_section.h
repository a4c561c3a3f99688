#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "skin/frame/tsui_collection_item.h"

namespace somnara::skin {

class TsuiTitleBar;
class TsuiTitleBarSections;

// Where a section sits: after the previous left sections, before the previous right ones,
// or stretched over the gap between them.
enum class TsuiTitleBarAlign { suiLeft, suiRight, suiClient };
const std::vector<std::string>& TitleBarAlignNames();

// One background picture of a title bar. Left and right sections are drawn at their
// picture's own width; Width matters only for the neighbour of a caption section.
class TsuiTitleBarSection {
 public:
  explicit TsuiTitleBarSection(TsuiTitleBarSections& sections) : sections_(&sections) {}

  bool AutoSize() const { return auto_size_; }
  // Takes the picture's width when there is a picture, whatever the new value.
  void SetAutoSize(bool on);
  int Width() const { return width_; }
  void SetWidth(int width);
  TsuiTitleBarAlign Align() const { return align_; }
  // A second client section of the collection is refused with an error box.
  void SetAlign(TsuiTitleBarAlign align);
  const fw::Bitmap& Picture() const { return picture_; }
  void SetPicture(const fw::Bitmap& picture);
  // Always true for the client section.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  // The section holds the caption: it is drawn as wide as the shortened caption needs.
  bool CapSec() const { return cap_sec_; }
  void SetCapSec(bool on);

  // Width, Align, Picture, Stretch and AutoSize, in that order; not CapSec.
  void Assign(const TsuiTitleBarSection& other);
  int Index() const;

 private:
  void Changed();

  TsuiTitleBarSections* sections_;
  bool auto_size_ = false;
  int width_ = 10;
  TsuiTitleBarAlign align_ = TsuiTitleBarAlign::suiLeft;
  fw::Bitmap picture_;
  bool stretch_ = false;
  bool cap_sec_ = false;
};

// The sections of a title bar in drawing order; any change repaints the title bar.
class TsuiTitleBarSections {
 public:
  explicit TsuiTitleBarSections(TsuiTitleBar* title_bar) : title_bar_(title_bar) {}
  TsuiTitleBarSections(const TsuiTitleBarSections&) = delete;
  TsuiTitleBarSections& operator=(const TsuiTitleBarSections&) = delete;

  TsuiTitleBar* TitleBar() const { return title_bar_; }
  int Count() const { return int(items_.size()); }
  TsuiTitleBarSection& Item(int index) { return *items_.at(size_t(index)); }
  const TsuiTitleBarSection& Item(int index) const { return *items_.at(size_t(index)); }
  TsuiTitleBarSection& Add();
  void Clear();
  // Copies item by item.
  void Assign(const TsuiTitleBarSections& other);
  int IndexOf(const TsuiTitleBarSection* section) const;
  // Whether a section other than `except` is the client section.
  bool HasClientOtherThan(const TsuiTitleBarSection* except) const;

  static const std::vector<ItemProperty<TsuiTitleBarSection>>& ItemProperties();
  void Changed();
  // Counts the changes, so that a painter can tell whether what it drew is still current.
  uint64_t Generation() const { return generation_; }

 private:
  TsuiTitleBar* title_bar_;
  uint64_t generation_ = 0;
  std::vector<std::unique_ptr<TsuiTitleBarSection>> items_;
};

}  // namespace somnara::skin
