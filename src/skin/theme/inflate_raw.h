#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace somnara::skin {

enum class InflateStatus {
  kOk,         // the block marked final was decoded
  kBadData,    // not valid DEFLATE data (bad block type, code lengths, distances, ...)
  kTruncated,  // the input ended before the final block
  kTooLarge,   // the output would exceed the given limit
};

// Inflates raw DEFLATE data (no zlib or gzip wrapper) and appends the result to `out`.
// Bytes after the final block are ignored. Decoding stops as soon as the output would grow
// past `max_output`, so a small hostile input cannot claim much memory.
InflateStatus InflateRaw(std::span<const uint8_t> input, size_t max_output,
                         std::vector<uint8_t>& out);

}  // namespace somnara::skin
