#include "framework/graphics/picture.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "framework/exceptions.h"
#include "framework/file_path.h"
#include "framework/graphics/bmp_codec.h"
#include "framework/graphics/file_errors.h"
#include "framework/graphics/gif_codec.h"
#include "framework/graphics/jpeg_codec.h"

namespace somnara::fw {

namespace {
// The message names the file by its full path, as the user would look for it.
std::string FullPath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(PathFromUtf8(path), ec);
  if (ec) return path;
  return Utf8FromPath(full.lexically_normal());
}
}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t max_bytes) {
  // A folder opens for reading on some systems and then reads as empty or fails late.
  std::error_code ec;
  if (std::filesystem::is_directory(PathFromUtf8(path), ec))
    ThrowCannotOpen(FullPath(path), EISDIR);
  errno = 0;
  std::ifstream f(PathFromUtf8(path), std::ios::binary);
  if (!f) ThrowCannotOpen(FullPath(path), errno ? errno : ENOENT);
  std::vector<uint8_t> bytes;
  char chunk[65536];
  while (true) {
    f.read(chunk, sizeof chunk);
    size_t n = size_t(f.gcount());
    if (bytes.size() + n > max_bytes) ThrowCannotOpen(FullPath(path), EFBIG);
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (n < sizeof chunk) {
      if (f.bad()) ThrowCannotOpen(FullPath(path), errno ? errno : EIO);
      break;
    }
  }
  return bytes;
}

PictureFormat DetectPictureFormat(std::span<const uint8_t> b) {
  if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return PictureFormat::kBmp;
  if (b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return PictureFormat::kJpeg;
  if (b.size() >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' &&
      (b[4] == '7' || b[4] == '9') && b[5] == 'a')
    return PictureFormat::kGif;
  return PictureFormat::kNone;
}

void Picture::LoadFromFile(const std::string& path) {
  LoadFromBytes(ReadFileBytes(path));
}

void Picture::LoadFromBytes(std::span<const uint8_t> bytes) {
  PictureFormat format = DetectPictureFormat(bytes);
  std::vector<PictureFrame> frames;
  int width = 0, height = 0;
  switch (format) {
    case PictureFormat::kBmp:
    case PictureFormat::kJpeg: {
      PictureFrame frame;
      frame.bitmap = format == PictureFormat::kBmp ? DecodeBmp(bytes) : DecodeJpeg(bytes);
      width = frame.bitmap.Width();
      height = frame.bitmap.Height();
      frames.push_back(std::move(frame));
      break;
    }
    case PictureFormat::kGif: {
      GifImage gif = DecodeGif(bytes);
      width = gif.width;
      height = gif.height;
      frames = std::move(gif.frames);
      break;
    }
    case PictureFormat::kNone:
      throw Exception("Unknown picture file format");
  }
  frames_ = std::move(frames);
  width_ = width;
  height_ = height;
  format_ = format;
}

void Picture::Clear() {
  frames_.clear();
  width_ = height_ = 0;
  format_ = PictureFormat::kNone;
}

const Bitmap& Picture::Graphic() const {
  static const Bitmap kEmpty;
  return frames_.empty() ? kEmpty : frames_.front().bitmap;
}

int Picture::TotalDuration() const {
  int total = 0;
  for (const PictureFrame& f : frames_) total += f.delay_ms;
  return total;
}

}  // namespace somnara::fw
