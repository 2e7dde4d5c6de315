// Arbitrary bytes into the naming-table reader. Besides the sanitizers' checks,
// it traps when a result breaks the reader's promises.
#include "name_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

std::size_t CheckedConvert(const char16_t* units, std::size_t count, char* out,
                           std::size_t out_cap) {
    Require(out_cap == glyphscan::kSlotSize - 1);
    Require(count > 0 && units != nullptr);
    std::size_t written = 0;
    for (std::size_t i = 0; i < count && written < out_cap; ++i) {
        Require(units[i] != 0);
        out[written++] = units[i] < 0x100 ? static_cast<char>(units[i]) : '?';
    }
    return written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly the block's size on the heap, so a write past it is caught.
    auto block = std::make_unique<char[]>(glyphscan::kBlockSize);
    std::memset(block.get(), 0, glyphscan::kBlockSize);
    const int result = glyphscan::ReadNames(data, size, block.get(), CheckedConvert);
    Require(result == 0 || result == 1);
    for (std::size_t slot = 0; slot < glyphscan::kSlotCount; ++slot)
        Require(block[slot * glyphscan::kSlotSize + glyphscan::kSlotSize - 1] == 0);
    if (result == 1) {
        Require(block[glyphscan::kFamily * glyphscan::kSlotSize] != 0);
        Require(block[glyphscan::kFullName * glyphscan::kSlotSize] != 0);
    }
    return 0;
}
