#include "framework/graphics/gif_codec.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "framework/exceptions.h"

namespace somnara::fw {

namespace {

// All frames together may hold at most this many pixels; a longer animation is cut there.
constexpr long long kMaxTotalPixels = 1LL << 26;
constexpr int kDefaultDelayMs = 100;
// Each frame is a whole logical screen in memory, however small its own data, so a file of
// a few bytes could claim gigabytes. Compressed pictures hold well under this many pixels
// per byte of file (a plain full-screen picture about 1,400), so the frames are cut at
// this many per byte, or at 2^20 pixels in all for very small files.
constexpr long long kMaxPixelsPerByte = 2048;
constexpr long long kMinPixelBudget = 1LL << 20;

[[noreturn]] void Fail(const std::string& why) {
  throw Exception("GIF image is not valid: " + why);
}

struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

int Read(GifFileType* gif, GifByteType* out, int length) {
  auto* r = static_cast<MemoryReader*>(gif->UserData);
  if (length <= 0) return 0;
  size_t n = std::min(size_t(length), r->size - r->pos);
  std::memcpy(out, r->data + r->pos, n);
  r->pos += n;
  return int(n);
}

struct Closer {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

std::string Reason(int code) {
  const char* text = GifErrorString(code);
  return text ? text : "error " + std::to_string(code);
}

FrameDisposal DisposalOf(int mode) {
  switch (mode) {
    case DISPOSE_DO_NOT:
      return FrameDisposal::kKeep;
    case DISPOSE_BACKGROUND:
      return FrameDisposal::kRestoreBackground;
    case DISPOSE_PREVIOUS:
      return FrameDisposal::kRestorePrevious;
    default:
      return FrameDisposal::kUnspecified;
  }
}

// Reads the index rows of one image, in interlaced order when the image says so.
bool ReadIndexes(GifFileType* gif, int width, int height, bool interlaced,
                 std::vector<GifByteType>& indexes) {
  indexes.assign(size_t(width) * size_t(height), 0);
  if (interlaced) {
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = kStart[pass]; y < height; y += kStep[pass])
        if (DGifGetLine(gif, indexes.data() + size_t(y) * size_t(width), width) != GIF_OK)
          return false;
  } else {
    for (int y = 0; y < height; ++y)
      if (DGifGetLine(gif, indexes.data() + size_t(y) * size_t(width), width) != GIF_OK)
        return false;
  }
  return true;
}

}  // namespace

GifImage DecodeGif(std::span<const uint8_t> bytes) {
  MemoryReader reader{bytes.data(), bytes.size(), 0};
  int error = 0;
  std::unique_ptr<GifFileType, Closer> gif(DGifOpen(&reader, Read, &error));
  if (!gif) Fail(Reason(error));

  GifImage result;
  int width = gif->SWidth, height = gif->SHeight;
  std::vector<uint32_t> screen, previous;
  std::vector<GifByteType> indexes;
  GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
  long long total_pixels = 0;
  const long long budget = std::min(
      kMaxTotalPixels, std::max(kMinPixelBudget, (long long)bytes.size() * kMaxPixelsPerByte));
  auto stop_or_fail = [&](const std::string& why) {
    // A broken later frame ends the animation; a broken first frame is an error.
    if (result.frames.empty()) Fail(why);
  };

  bool done = false;
  while (!done) {
    GifRecordType type;
    if (DGifGetRecordType(gif.get(), &type) != GIF_OK) {
      stop_or_fail(Reason(gif->Error));
      break;
    }
    switch (type) {
      case EXTENSION_RECORD_TYPE: {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK) {
          stop_or_fail(Reason(gif->Error));
          done = true;
          break;
        }
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
          DGifExtensionToGCB(block[0], block + 1, &control);
        while (block) {
          if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK) {
            stop_or_fail(Reason(gif->Error));
            done = true;
            break;
          }
        }
        break;
      }
      case IMAGE_DESC_RECORD_TYPE: {
        if (DGifGetImageDesc(gif.get()) != GIF_OK) {
          stop_or_fail(Reason(gif->Error));
          done = true;
          break;
        }
        const GifImageDesc& desc = gif->Image;
        if (result.frames.empty()) {
          // Some writers leave the logical screen empty; the first image gives it then.
          if (width <= 0 || height <= 0) {
            width = desc.Left + desc.Width;
            height = desc.Top + desc.Height;
          }
          if (width <= 0 || height <= 0 || width > Bitmap::kMaxDimension ||
              height > Bitmap::kMaxDimension || (long long)width * height > Bitmap::kMaxPixels ||
              (long long)width * height > budget)
            Fail("the picture size " + std::to_string(width) + " x " + std::to_string(height) +
                 " is not allowed");
          screen.assign(size_t(width) * size_t(height), 0);
          result.width = width;
          result.height = height;
        }
        if (desc.Width <= 0 || desc.Height <= 0 || desc.Width > Bitmap::kMaxDimension ||
            desc.Height > Bitmap::kMaxDimension ||
            (long long)desc.Width * desc.Height > Bitmap::kMaxPixels) {
          stop_or_fail("a frame has an impossible size");
          done = true;
          break;
        }
        // The image's own rows are read whole before they are placed on the screen, so an
        // image far larger than the screen costs as much as its claimed size.
        const long long image_pixels = (long long)desc.Width * desc.Height;
        total_pixels += std::max((long long)width * height, image_pixels);
        if (total_pixels > budget) {
          stop_or_fail("the picture size " + std::to_string(desc.Width) + " x " +
                       std::to_string(desc.Height) + " is not allowed");
          done = true;  // the animation is cut here
          break;
        }
        if (!ReadIndexes(gif.get(), desc.Width, desc.Height, desc.Interlace, indexes)) {
          stop_or_fail(Reason(gif->Error));
          done = true;
          break;
        }
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map) {
          stop_or_fail("a frame has no colour table");
          done = true;
          break;
        }
        if (control.DisposalMode == DISPOSE_PREVIOUS) previous = screen;
        int transparent = control.TransparentColor;
        int x0 = std::max(desc.Left, 0), y0 = std::max(desc.Top, 0);
        int x1 = std::min(desc.Left + desc.Width, width);
        int y1 = std::min(desc.Top + desc.Height, height);
        for (int y = y0; y < y1; ++y) {
          const GifByteType* src = indexes.data() + size_t(y - desc.Top) * size_t(desc.Width);
          uint32_t* dst = screen.data() + size_t(y) * size_t(width);
          for (int x = x0; x < x1; ++x) {
            int index = src[x - desc.Left];
            // Indexes past the colour table draw nothing, like the transparent one.
            if (index == transparent || index >= map->ColorCount) continue;
            const GifColorType& c = map->Colors[index];
            dst[x] = 0xFF000000u | (uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | c.Blue;
          }
        }
        PictureFrame frame;
        frame.bitmap.SetPixelFormat(PixelFormat::k32Bit);
        frame.bitmap.SetSize(width, height);
        std::copy(screen.begin(), screen.end(), frame.bitmap.Pixels());
        frame.delay_ms = control.DelayTime > 0 ? control.DelayTime * 10 : kDefaultDelayMs;
        frame.disposal = DisposalOf(control.DisposalMode);
        result.frames.push_back(std::move(frame));

        if (control.DisposalMode == DISPOSE_BACKGROUND) {
          for (int y = y0; y < y1; ++y)
            std::fill_n(screen.data() + size_t(y) * size_t(width) + size_t(x0),
                        std::max(0, x1 - x0), 0u);
        } else if (control.DisposalMode == DISPOSE_PREVIOUS) {
          screen.swap(previous);
        }
        control = GraphicsControlBlock{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        break;
      }
      case TERMINATE_RECORD_TYPE:
        done = true;
        break;
      default:
        break;
    }
  }
  if (result.frames.empty()) Fail("it holds no picture");
  return result;
}

}  // namespace somnara::fw
