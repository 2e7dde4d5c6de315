// A skin's "values.ini" read through the Windows profile functions.
#pragma once

#include "skin_values.h"

#include <optional>
#include <string>
#include <utility>

namespace nq {

// The keys of one INI file. Each Get reads the file anew, so it sees the
// file's current content; nothing is ever written to it.
class ProfileSkinSource final : public SkinSource {
  public:
    // iniPath is a full path: the profile functions look for a bare file
    // name in the Windows folder.
    explicit ProfileSkinSource(std::string iniPath) : path_(std::move(iniPath)) {}

    // An empty value ("Key=") is an empty string, told apart from a missing
    // key, section or file, which give nothing.
    std::optional<std::string> Get(const char* section, const char* key) const override;

  private:
    std::string path_;
};

// The values of skinPath + "values.ini", skinPath being a skin folder with
// its trailing backslash (SkinPath). A missing file gives every default.
SkinValues LoadSkinValues(const std::string& skinPath);

} // namespace nq
