// Registry reads. Missing keys and values read as empty: callers treat them as
// "not set" and never report them.
#pragma once

#include "handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace nq {

// The font registry: one string value per registered font, named after the
// font plus " (TrueType)". The same path serves HKEY_LOCAL_MACHINE (fonts for
// everyone) and HKEY_CURRENT_USER (fonts for one user).
inline constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// The string value valueName of an open key (opened with KEY_QUERY_VALUE at
// least). Empty when the value is missing or is not a string.
inline std::string ReadKeyString(HKEY key, const std::string& valueName) {
    std::vector<char> data(MAX_PATH);
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) {
            data.resize(size + 1); // the value may have grown since: ask again
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return {};
        // The stored data need not end in a terminator, or may hold several.
        std::string text(data.data(), size);
        const std::size_t end = text.find('\0');
        return end == std::string::npos ? text : text.substr(0, end);
    }
    return {};
}

// The string value valueName of the key subKey of hive; the key is opened for
// reading only and never created. Empty when the key or the value is missing
// or the value is not a string.
inline std::string ReadString(HKEY hive, const char* subKey, const std::string& valueName) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(hive, subKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return {};
    const UniqueRegKey key(raw);
    return ReadKeyString(key.get(), valueName);
}

} // namespace nq
