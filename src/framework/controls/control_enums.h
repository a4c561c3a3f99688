#pragma once

#include <string>
#include <vector>

namespace somnara::fw {

// Horizontal placement of a control's text.
enum class Alignment { kLeftJustify, kRightJustify, kCenter };
inline const std::vector<std::string> kAlignmentNames = {"taLeftJustify", "taRightJustify",
                                                         "taCenter"};

// Vertical placement of a label's text.
enum class TextLayout { kTop, kCenter, kBottom };
inline const std::vector<std::string> kTextLayoutNames = {"tlTop", "tlCenter", "tlBottom"};

// Edges of panels.
enum class BevelCut { kNone, kLowered, kRaised, kSpace };
inline const std::vector<std::string> kBevelCutNames = {"bvNone", "bvLowered", "bvRaised",
                                                        "bvSpace"};

// The border of edit fields, memos and panels: nothing or one frame.
enum class ControlBorder { kNone, kSingle };
inline const std::vector<std::string> kControlBorderNames = {"bsNone", "bsSingle"};

enum class ScrollStyle { kNone, kHorizontal, kVertical, kBoth };
inline const std::vector<std::string> kScrollStyleNames = {"ssNone", "ssHorizontal", "ssVertical",
                                                           "ssBoth"};

}  // namespace somnara::fw
