#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "picture/pixel_buffer.h"

namespace somnara::picture {

// Bottom-up BMP file images with a 40-byte info header at 72 dpi.

// 24 bits per pixel.
std::vector<uint8_t> EncodeBmp24(const PixelBuffer& picture);
// 8 bits per pixel: `indices` holds palette positions, `palette` up to 256 colours 0x00RRGGBB.
std::vector<uint8_t> EncodeBmp8(const PixelBuffer& indices, const std::vector<uint32_t>& palette);

// Writes `bytes` to `path`, making its folder first; false when that fails.
bool WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes);
bool WriteBmp24(const std::filesystem::path& path, const PixelBuffer& picture);
bool WriteBmp8(const std::filesystem::path& path, const PixelBuffer& indices,
               const std::vector<uint32_t>& palette);

}  // namespace somnara::picture
