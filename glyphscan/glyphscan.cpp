// glyphscan.dll: the naming properties of a TrueType file, and a whole file in a
// movable global block.
#define GLYPHSCAN_BUILD
#include "glyphscan.h"

#include "handles.h"
#include "name_reader.h"

namespace {

using glyphscan::kBlockSize;

// Converts UTF-16 to the ANSI code page; characters it cannot hold become '?'.
// Never splits a character: when the whole text does not fit, the longest prefix
// that does is converted.
std::size_t Utf16ToAnsiCodePage(const char16_t* units, std::size_t count, char* out,
                                std::size_t out_cap) {
    const UINT code_page = GetACP();
    // UTF-8 holds every character, and rejects both the flag and a default character.
    const bool utf8 = code_page == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* default_char = utf8 ? nullptr : "?";
    const auto* wide = reinterpret_cast<const wchar_t*>(units);
    auto size_of = [&](std::size_t n) {
        return WideCharToMultiByte(code_page, flags, wide, static_cast<int>(n), nullptr, 0,
                                   default_char, nullptr);
    };
    std::size_t fits = count;
    if (static_cast<std::size_t>(size_of(count)) > out_cap) {
        std::size_t low = 0, high = count; // size_of(low) fits, size_of(high) does not
        while (high - low > 1) {
            const std::size_t mid = low + (high - low) / 2;
            if (static_cast<std::size_t>(size_of(mid)) <= out_cap)
                low = mid;
            else
                high = mid;
        }
        fits = low;
        if (fits > 0 && units[fits - 1] >= 0xD800 && units[fits - 1] <= 0xDBFF)
            --fits; // the high half of a pair whose low half did not fit
    }
    if (fits == 0)
        return 0;
    const int written = WideCharToMultiByte(code_page, flags, wide, static_cast<int>(fits), out,
                                            static_cast<int>(out_cap), default_char, nullptr);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}

} // namespace

GLYPHSCAN_API int WINAPI GetFontProps(const char* path, char* fullName, char* copyright,
                                      char* trademark, char* family) {
    char block[kBlockSize] = {};
    int result = 0;
    {
        // Share mode 0: no one else may open the file while it is read. An existing
        // file only: a missing path must not leave an empty file behind.
        const nq::UniqueFile file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                              nullptr));
        if (!file)
            return 0;
        const DWORD size = GetFileSize(file.get(), nullptr);
        if (size == INVALID_FILE_SIZE)
            return 0;
        // Fails for an empty file.
        const nq::UniqueKernelHandle mapping(
            CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, size, nullptr));
        if (!mapping)
            return 0;
        const nq::UniqueView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, size));
        if (!view)
            return 0;
        result = glyphscan::ReadNames(static_cast<const unsigned char*>(view.get()), size, block,
                                      Utf16ToAnsiCodePage);
        // The view, the mapping and the file are released here, in that order.
    }
    if (result)
        glyphscan::CopySlots(block, fullName, copyright, trademark, family);
    return result;
}

GLYPHSCAN_API HGLOBAL WINAPI ReadIntoBuffer(const char* path) {
    const nq::UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return nullptr;
    LARGE_INTEGER file_size;
    // A block cannot be as large as a file of 4 GiB or more.
    if (!GetFileSizeEx(file.get(), &file_size) || file_size.QuadPart > MAXDWORD)
        return nullptr;
    const DWORD size = static_cast<DWORD>(file_size.QuadPart);
    nq::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block)
        return nullptr;
    if (size > 0) {
        // A block the read did not fill would hand undefined bytes to the caller as
        // a font: a short or failed read gives 0.
        const nq::GlobalLockGuard lock(block.get());
        DWORD read = 0;
        if (!lock.data() || !ReadFile(file.get(), lock.data(), size, &read, nullptr) ||
            read != size)
            return nullptr;
    }
    return block.release();
}
