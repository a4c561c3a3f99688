#include "framework/graphics/jpeg_codec.h"

#include <jpeglib.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/exceptions.h"

namespace somnara::fw {

namespace {

static_assert(std::endian::native == std::endian::little, "pixel words are read as bytes");

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back to
// the setjmp in the decoding function; between the two only C frames of libjpeg lie, and the
// decoding functions keep no object with a destructor, so nothing is skipped.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  ErrorManager* e = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, e->message);
  std::longjmp(e->jump, 1);
}

void OnOutput(j_common_ptr) {}  // warnings (a picture cut short, say) are not shown

struct RawImage {
  unsigned char* pixels = nullptr;  // malloc'd, width x height x 4 bytes: B, G, R, X
  int width = 0;
  int height = 0;
};

constexpr long kMaxMemory = 512L << 20;
// The header alone gives the picture size; the pixels are taken only for a file that could
// hold them. Even a plain one-colour picture needs more than a byte per 300 pixels or so.
constexpr long long kMaxPixelsPerByte = 1024;

// Returns an empty message on success.
void DecodeRaw(const uint8_t* data, size_t size, RawImage* out, char* message) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  unsigned char* volatile buffer = nullptr;
  message[0] = '\0';
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.output_message = OnOutput;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(buffer);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message[0] ? err.message : "bad data");
    return;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxMemory;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
      cinfo.image_width > unsigned(Bitmap::kMaxDimension) ||
      cinfo.image_height > unsigned(Bitmap::kMaxDimension) ||
      (long long)cinfo.image_width * cinfo.image_height > Bitmap::kMaxPixels ||
      (long long)cinfo.image_width * cinfo.image_height > (long long)size * kMaxPixelsPerByte) {
    jpeg_destroy_decompress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "the picture is too large");
    return;
  }
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  size_t width = cinfo.output_width, height = cinfo.output_height;
  buffer = static_cast<unsigned char*>(std::malloc(width * height * 4));
  if (!buffer) {
    jpeg_destroy_decompress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "out of memory");
    return;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = buffer + size_t(cinfo.output_scanline) * width * 4;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  if (cmyk) {
    // Adobe writes CMYK inverted; the pixel is (C x K, M x K, Y x K) of the stored values.
    bool inverted = cinfo.saw_Adobe_marker;
    for (size_t i = 0; i < width * height; ++i) {
      unsigned char* p = buffer + i * 4;
      unsigned c = p[0], m = p[1], y = p[2], k = p[3];
      if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
      }
      p[0] = static_cast<unsigned char>(y * k / 255);
      p[1] = static_cast<unsigned char>(m * k / 255);
      p[2] = static_cast<unsigned char>(c * k / 255);
      p[3] = 0;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  out->pixels = buffer;
  out->width = int(width);
  out->height = int(height);
}

void EncodeRaw(const unsigned char* bgrx, int width, int height, int quality, unsigned char** out,
               unsigned long* out_size, char* message) {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  message[0] = '\0';
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.output_message = OnOutput;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message[0] ? err.message : "bad data");
    return;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, out_size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row =
        const_cast<unsigned char*>(bgrx) + size_t(cinfo.next_scanline) * size_t(width) * 4;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
}

}  // namespace

Bitmap DecodeJpeg(std::span<const uint8_t> bytes) {
  RawImage raw;
  char message[JMSG_LENGTH_MAX];
  DecodeRaw(bytes.data(), bytes.size(), &raw, message);
  if (message[0]) throw Exception(std::string("JPEG image is not valid: ") + message);
  Bitmap out;
  try {
    out.SetSize(raw.width, raw.height);
  } catch (...) {
    std::free(raw.pixels);
    throw;
  }
  const uint32_t* src = reinterpret_cast<const uint32_t*>(raw.pixels);
  uint32_t* dst = out.Pixels();
  for (size_t i = 0; i < size_t(raw.width) * size_t(raw.height); ++i) {
    uint32_t p;
    std::memcpy(&p, src + i, 4);
    // Bytes B, G, R, X read as a little-endian word are 0xXXRRGGBB.
    dst[i] = p & 0x00FFFFFF;
  }
  std::free(raw.pixels);
  return out;
}

std::vector<uint8_t> EncodeJpeg(const Bitmap& bitmap, int quality) {
  if (bitmap.Empty()) throw Exception("Cannot save an empty picture as JPEG");
  std::vector<uint32_t> words(bitmap.Pixels(),
                              bitmap.Pixels() + size_t(bitmap.Width()) * size_t(bitmap.Height()));
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  char message[JMSG_LENGTH_MAX];
  EncodeRaw(reinterpret_cast<const unsigned char*>(words.data()), bitmap.Width(), bitmap.Height(),
            std::clamp(quality, 1, 100), &out, &out_size, message);
  std::vector<uint8_t> result;
  if (!message[0] && out) result.assign(out, out + out_size);
  std::free(out);
  if (message[0]) throw Exception(std::string("Cannot write JPEG: ") + message);
  return result;
}

}  // namespace somnara::fw
