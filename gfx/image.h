// The picture loaders: the "DBB" resources of the program, raw or packed,
// into the descriptors every drawing primitive takes.
#pragma once

#include <cstdint>

#include "platform/coredll/coredll.h"
#include "state/picture.h"

// Raw picture `id`, used in place inside the resources.
int LoadImage(HINSTANCE instance, int id, ImageRef* slot);

// Packed picture `id`, decoded into the shared decode buffer; overwrites
// whatever packed picture was there. `decodedPicture` then names it.
int LoadPackedImage(HINSTANCE instance, int id, ImageRef* slot);

// The little-endian 32-bit number at `bytes`, as picture headers and packed
// data store their sizes.
std::uint32_t ReadU32(const std::uint8_t* bytes);

// One copy record of packed data (kCopyRecordBytes bytes): at output
// position `position`, copy `length` bytes from `distance` bytes back.
struct CopyRecord {
    std::uint32_t position = 0;
    std::uint32_t length = 0;
    std::uint32_t distance = 0;
};
constexpr std::uint32_t kCopyRecordBytes = 7;
CopyRecord ReadCopyRecord(const std::uint8_t* bytes);

// Decodes `size` bytes of packed data into `destination`, which holds
// `capacity` bytes. Never reads past the packed data nor writes past the
// destination, whatever the data holds. Returns the number of bytes written.
std::uint32_t UnpackImage(const std::uint8_t* packed, std::uint32_t size, std::uint8_t* destination,
                          std::uint32_t capacity);
