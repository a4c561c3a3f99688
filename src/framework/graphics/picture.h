#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"

namespace somnara::fw {

// What happens to a frame's area before the next frame is drawn.
enum class FrameDisposal {
  kUnspecified,        // treated as kKeep
  kKeep,               // the frame stays
  kRestoreBackground,  // its area goes back to transparent
  kRestorePrevious,    // its area goes back to what was there before it
};

// One picture of a sequence, composited to the full picture size.
struct PictureFrame {
  Bitmap bitmap;
  int delay_ms = 0;
  FrameDisposal disposal = FrameDisposal::kUnspecified;
};

enum class PictureFormat { kNone, kBmp, kJpeg, kGif };

// A decoded picture: one frame for BMP and JPEG, one or more for GIF. The format is
// recognised by content, not by the file name.
class Picture {
 public:
  Picture() = default;

  // Throws fw::FileError ("Cannot open file \"<path>\". <reason>") when the file cannot be
  // read, fw::Exception when the data is not a picture this decoder understands; on error
  // the picture is unchanged.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(std::span<const uint8_t> bytes);
  void Clear();

  bool Empty() const { return frames_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  PictureFormat Format() const { return format_; }
  bool Animated() const { return frames_.size() > 1; }
  size_t FrameCount() const { return frames_.size(); }
  const PictureFrame& Frame(size_t index) const { return frames_.at(index); }
  const std::vector<PictureFrame>& Frames() const { return frames_; }
  // The first frame (an empty bitmap when there is none).
  const Bitmap& Graphic() const;
  // Sum of all frame delays.
  int TotalDuration() const;

 private:
  int width_ = 0;
  int height_ = 0;
  PictureFormat format_ = PictureFormat::kNone;
  std::vector<PictureFrame> frames_;
};

// Recognises a picture format by its first bytes.
PictureFormat DetectPictureFormat(std::span<const uint8_t> bytes);

// Reads a whole file; throws fw::FileError with the "Cannot open file" message. Files
// larger than max_bytes are refused with fw::FileError too.
std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t max_bytes = size_t(256) << 20);

}  // namespace somnara::fw
