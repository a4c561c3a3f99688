#include "skin/theme/inflate_raw.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <limits>

namespace somnara::skin {

namespace {

// DEFLATE cannot expand better than this (a 258-byte match costs at least two bits, plus the
// block overhead), so it bounds what an input can inflate to.
constexpr size_t kMaxExpansion = 1032;
constexpr size_t kWindowSize = 32 * 1024;

// Ends the zlib stream on every way out of InflateRaw.
class InflateStream {
 public:
  InflateStream() { ok_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
  ~InflateStream() {
    if (ok_) inflateEnd(&stream_);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  bool ok() const { return ok_; }
  z_stream& get() { return stream_; }

 private:
  z_stream stream_{};
  bool ok_ = false;
};

}  // namespace

InflateStatus InflateRaw(std::span<const uint8_t> input, size_t max_output,
                         std::vector<uint8_t>& out) {
  // zlib counts input in 32 bits; skin archives are capped far below that.
  if (input.size() > std::numeric_limits<uInt>::max()) return InflateStatus::kTooLarge;
  InflateStream guard;
  if (!guard.ok()) return InflateStatus::kBadData;
  z_stream& zs = guard.get();
  zs.next_in = const_cast<Bytef*>(input.data());
  zs.avail_in = static_cast<uInt>(input.size());

  const size_t start = out.size();
  // One allocation for the whole output instead of a copy at every doubling: loading a skin
  // inflates megabytes.
  out.reserve(start + std::min(max_output, input.size() * kMaxExpansion + kWindowSize));
  std::array<uint8_t, kWindowSize> window;
  for (;;) {
    zs.next_out = window.data();
    zs.avail_out = static_cast<uInt>(window.size());
    const int rc = inflate(&zs, Z_NO_FLUSH);
    const size_t produced = window.size() - zs.avail_out;
    if (out.size() - start + produced > max_output) return InflateStatus::kTooLarge;
    out.insert(out.end(), window.data(), window.data() + produced);
    switch (rc) {
      case Z_STREAM_END:
        return InflateStatus::kOk;
      case Z_OK:
        // Without input and without output nothing more can happen.
        if (produced == 0 && zs.avail_in == 0) return InflateStatus::kTruncated;
        break;
      case Z_BUF_ERROR:
        return InflateStatus::kTruncated;
      default:
        return InflateStatus::kBadData;
    }
  }
}

}  // namespace somnara::skin
