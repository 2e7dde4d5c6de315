#include "skin_file.h"

#include "profile.h"

namespace nq {

std::optional<std::string> ProfileSkinSource::Get(const char* section, const char* key) const {
    std::string value = ReadProfileString(path_, section, key, "");
    if (!value.empty())
        return value;
    // The profile functions answer a missing key with the default: a key that
    // is there gives its own empty value whatever the default, a missing one
    // gives this one back.
    const std::string marker = "?";
    if (ReadProfileString(path_, section, key, marker) == marker)
        return std::nullopt;
    return value;
}

SkinValues LoadSkinValues(const std::string& skinPath) {
    return ReadSkinValues(ProfileSkinSource(skinPath + "values.ini"));
}

} // namespace nq
