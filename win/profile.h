// The Windows profile (INI file) functions with std::string values.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace nq {

// The value of key in section of the INI file path, or fallback when the file,
// the section or the key is missing. Values of any length are read whole.
inline std::string ReadProfileString(const std::string& path, const char* section, const char* key,
                                     const std::string& fallback) {
    std::vector<char> buffer(1024);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringA(section, key, fallback.c_str(), buffer.data(),
                                                      size, path.c_str());
        // A full buffer (size - 1 characters) may mean the value was cut.
        if (length + 1 < size || buffer.size() >= (1u << 24))
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

// Writes key=value into section of the INI file path, creating the file and
// the section when needed; false when the file could not be written.
inline bool WriteProfileString(const std::string& path, const char* section, const char* key,
                               const std::string& value) {
    return WritePrivateProfileStringA(section, key, value.c_str(), path.c_str()) != FALSE;
}

} // namespace nq
