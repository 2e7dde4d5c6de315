// Reads the naming properties of an sfnt (TrueType) image held in memory.
// Portable: no Windows calls, so it builds natively for sanitizers and the fuzzer.
#pragma once

#include "sfnt_core.h"

#include <cstddef>
#include <cstdint>

namespace glyphscan {

// Converts UTF-16 code units to 8-bit text in the ANSI code page; characters the
// code page cannot hold become '?'. Writes at most out_cap bytes, no terminator,
// and returns the count written.
using Utf16ToAnsi = std::size_t (*)(const char16_t* units, std::size_t count, char* out,
                                    std::size_t out_cap);

// Reads the image's naming table into block (kBlockSize bytes, slot n at
// n * kSlotSize), which the caller has zero-filled. Returns 1 when a family
// name was found, else 0. Never reads outside [data, data + size). Only sfnt
// version 1.0 is read: OpenType CFF images, collections and the rest give 0.
// When no 8-bit family record is found and convert is given, a second pass takes
// the names from the Windows Unicode records instead.
int ReadNames(const unsigned char* data, std::size_t size, char* block, Utf16ToAnsi convert);

// Copies the four zero-terminated slots of block into the caller's buffers.
void CopySlots(const char* block, char* full_name, char* copyright, char* trademark, char* family);

} // namespace glyphscan
