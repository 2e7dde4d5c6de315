// glyphscan.dll links against nothing but kernel32: no C runtime, so it carries
// its own entry point and the few memory routines that the compiler and the
// reader call. Built with -ffreestanding so these loops are not turned back into
// calls to themselves.
#include <windows.h>

#include <cstddef>

extern "C" {

BOOL WINAPI GlyphscanEntry(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

void* memcpy(void* dest, const void* src, std::size_t n) {
    auto* d = static_cast<unsigned char*>(dest);
    const auto* s = static_cast<const unsigned char*>(src);
    while (n--)
        *d++ = *s++;
    return dest;
}

void* memmove(void* dest, const void* src, std::size_t n) {
    auto* d = static_cast<unsigned char*>(dest);
    const auto* s = static_cast<const unsigned char*>(src);
    if (d < s) {
        while (n--)
            *d++ = *s++;
    } else {
        while (n--)
            d[n] = s[n];
    }
    return dest;
}

void* memset(void* dest, int value, std::size_t n) {
    auto* d = static_cast<unsigned char*>(dest);
    while (n--)
        *d++ = static_cast<unsigned char>(value);
    return dest;
}

void* memchr(const void* src, int value, std::size_t n) {
    const auto* s = static_cast<const unsigned char*>(src);
    for (; n; --n, ++s)
        if (*s == static_cast<unsigned char>(value))
            return const_cast<unsigned char*>(s);
    return nullptr;
}

std::size_t strlen(const char* text) {
    std::size_t n = 0;
    while (text[n])
        ++n;
    return n;
}
}
