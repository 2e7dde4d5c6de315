#include "registry.h"

#include "text.h"

namespace nq {

UniqueRegKey OpenKey(HKEY hive, const std::string& subKey, REGSAM access) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(hive, WideFromUtf8(subKey).c_str(), 0, access, &raw) != ERROR_SUCCESS)
        return {};
    return UniqueRegKey(raw);
}

UniqueRegKey CreateKey(HKEY hive, const std::string& subKey, REGSAM access) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(hive, WideFromUtf8(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        access, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return {};
    return UniqueRegKey(raw);
}

std::string ReadKeyString(HKEY key, const std::string& valueName) {
    const std::wstring name = WideFromUtf8(valueName);
    std::vector<wchar_t> data(MAX_PATH);
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        const LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) {
            data.resize(size / sizeof(wchar_t) + 1); // the value may have grown since: ask again
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return {};
        // The stored data need not end in a terminator, or may hold several.
        const std::wstring text(data.data(), size / sizeof(wchar_t));
        return Utf8FromWide(text.substr(0, text.find(L'\0')));
    }
    return {};
}

LONG WriteKeyString(HKEY key, const std::string& valueName, const std::string& data) {
    const std::wstring wide = WideFromUtf8(data);
    return RegSetValueExW(key, WideFromUtf8(valueName).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

LONG DeleteKeyValue(HKEY key, const std::string& valueName) {
    return RegDeleteValueW(key, WideFromUtf8(valueName).c_str());
}

LONG DeleteSubKey(HKEY key, const std::string& subKey) {
    return RegDeleteKeyW(key, WideFromUtf8(subKey).c_str());
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    std::vector<wchar_t> name(16384); // the longest value name and its terminator
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG status =
            RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS)
            names.push_back(Utf8FromWide(name.data(), length));
        else if (status != ERROR_MORE_DATA) // the end, or a key that cannot be listed
            break;
    }
    return names;
}

std::string ReadString(HKEY hive, const std::string& subKey, const std::string& valueName) {
    const UniqueRegKey key = OpenKey(hive, subKey, KEY_QUERY_VALUE);
    return key ? ReadKeyString(key.get(), valueName) : std::string();
}

} // namespace nq
