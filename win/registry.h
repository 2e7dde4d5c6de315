// The registry with UTF-8 names and data (the UTF-16 calls underneath). Missing
// keys and values read as empty: callers treat them as "not set" and never
// report them.
#pragma once

#include "handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace nq {

// The font registry: one string value per registered font, named after the
// font plus " (TrueType)" or " (OpenType)". The same path serves
// HKEY_LOCAL_MACHINE (fonts for everyone) and HKEY_CURRENT_USER (fonts for one
// user).
inline constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// The key subKey of hive opened with access, never created; empty on failure.
UniqueRegKey OpenKey(HKEY hive, const std::string& subKey, REGSAM access);
// The key subKey of hive with access, created when it is missing; empty on failure.
UniqueRegKey CreateKey(HKEY hive, const std::string& subKey, REGSAM access);

// The string value valueName of an open key (opened with KEY_QUERY_VALUE at
// least). Empty when the value is missing or is not a string.
std::string ReadKeyString(HKEY key, const std::string& valueName);
// Writes the string value valueName = data (REG_SZ); the result of the call.
LONG WriteKeyString(HKEY key, const std::string& valueName, const std::string& data);
LONG DeleteKeyValue(HKEY key, const std::string& valueName);
LONG DeleteSubKey(HKEY key, const std::string& subKey);
// The names of every value of an open key (opened with KEY_QUERY_VALUE), in
// the registry's order.
std::vector<std::string> ValueNames(HKEY key);

// The string value valueName of the key subKey of hive; the key is opened for
// reading only and never created. Empty when the key or the value is missing
// or the value is not a string.
std::string ReadString(HKEY hive, const std::string& subKey, const std::string& valueName);

} // namespace nq
