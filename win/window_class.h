// Window classes are registered once per process: windows are created again
// (tests make many client windows), their classes are not.
#pragma once

#include <windows.h>

namespace nq {

// Registers wc unless a class of its name already exists in its module.
inline void RegisterClassOnce(const WNDCLASSEXA& wc) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing))
        RegisterClassExA(&wc);
}

} // namespace nq
