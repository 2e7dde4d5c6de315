#include "posix_file.h"

#include "posix_mapping.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace glyphscan {

std::size_t Utf16ToLatin1(const char16_t* units, std::size_t count, char* out,
                          std::size_t out_cap) {
    std::size_t written = 0;
    for (std::size_t i = 0; i < count && written < out_cap; ++i) {
        const char16_t unit = units[i];
        // A surrogate pair is one character the code page cannot hold: one '?'.
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF)
            ++i;
        out[written++] = unit <= 0xFF ? static_cast<char>(unit) : '?';
    }
    return written;
}

int GetFontPropsPosix(const char* path, char* full_name, char* copyright, char* trademark,
                      char* family) {
    const Descriptor file(open(path, O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return 0;
    struct stat status;
    if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0)
        return 0;
    const Mapping view(file.get(), static_cast<std::size_t>(status.st_size));
    if (!view.data())
        return 0;
    char block[kBlockSize] = {};
    const int result =
        ReadNames(view.data(), static_cast<std::size_t>(status.st_size), block, Utf16ToLatin1);
    if (result)
        CopySlots(block, full_name, copyright, trademark, family);
    return result;
}

} // namespace glyphscan
