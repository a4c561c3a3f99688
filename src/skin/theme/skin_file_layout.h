#pragma once

#include <cstddef>
#include <cstdint>

// Byte layout of skin files: the "SK" archive around the item container and the container
// itself. Shared by the reader and by the tool that writes the stored skin.
namespace somnara::skin::layout {

// Archive. All numbers little-endian.
inline constexpr uint32_t kLocalHeaderSignature = 0x04034B53;  // "SK" 3 4
inline constexpr uint32_t kCentralRecordSignature = 0x02014B50;
inline constexpr uint32_t kEndRecordSignature = 0x06054B50;
inline constexpr size_t kLocalHeaderSize = 30;
inline constexpr size_t kCentralRecordSize = 46;
inline constexpr size_t kEndRecordSize = 22;
inline constexpr size_t kEncryptionHeaderSize = 12;
inline constexpr uint16_t kFlagEnciphered = 0x0001;
inline constexpr uint16_t kFlagCheckByteFromTime = 0x0008;
inline constexpr uint16_t kMethodDeflate = 8;
inline constexpr uint16_t kVersionNeeded = 20;

// Offsets inside a local entry header.
inline constexpr size_t kLocalNameLength = 26;
inline constexpr size_t kLocalExtraLength = 28;

// Offsets inside a central record.
inline constexpr size_t kCentralFlags = 8;
inline constexpr size_t kCentralTime = 12;
inline constexpr size_t kCentralCrc = 16;
inline constexpr size_t kCentralUncompressedSize = 24;
inline constexpr size_t kCentralNameLength = 28;
inline constexpr size_t kCentralExtraLength = 30;
inline constexpr size_t kCentralCommentLength = 32;
inline constexpr size_t kCentralLocalHeaderOffset = 42;

// Offsets inside the end record.
inline constexpr size_t kEndDirectoryOffset = 16;
inline constexpr size_t kEndCommentLength = 20;

inline constexpr char kSkinEntryName[] = "SKINDATA.SK2";

// Limits that keep a hostile file from taking unbounded memory. The stored skin inflates to
// well under a megabyte.
inline constexpr size_t kMaxArchiveSize = 64u << 20;
inline constexpr size_t kMaxInflatedSize = 16u << 20;

// Item container.
inline constexpr char kContainerMagic[] = "VELMARIS_SK2";  // 12 bytes, no NUL stored
inline constexpr size_t kContainerMagicSize = 12;
inline constexpr size_t kContainerHeaderSize = 24;
inline constexpr uint32_t kContainerFormat = 2;
inline constexpr size_t kContainerHeaderLength = 12;
inline constexpr size_t kContainerFirstRecord = 20;

inline constexpr size_t kRecordSize = 77;
inline constexpr size_t kRecordNameSize = 64;
inline constexpr size_t kRecordType = 64;
inline constexpr size_t kRecordDataOffset = 65;
inline constexpr size_t kRecordDataSize = 69;
inline constexpr size_t kRecordNext = 73;

enum class ItemType : uint8_t { kBitmap = 0, kInteger = 1, kByte = 2, kString = 3 };

}  // namespace somnara::skin::layout
