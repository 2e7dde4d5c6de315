#include "scope_rules.h"

#include "search_filter.h"

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

constexpr unsigned kFirstBuildLoadingUserFonts = 17763;

} // namespace

ScopeSetting ParseScopeSetting(const std::string& text) {
    const std::string word = LowerAZ(Trimmed(text));
    if (word == "machine")
        return ScopeSetting::Machine;
    if (word == "user")
        return ScopeSetting::User;
    return ScopeSetting::Auto;
}

const char* ScopeSettingText(ScopeSetting setting) {
    switch (setting) {
    case ScopeSetting::Machine:
        return "machine";
    case ScopeSetting::User:
        return "user";
    case ScopeSetting::Auto:
        break;
    }
    return "auto";
}

std::optional<ScopeSetting> ScopeFromArgument(const std::string& argument) {
    static const std::string prefix = "/scope=";
    if (LowerAZ(argument.substr(0, prefix.size())) != prefix)
        return std::nullopt;
    const std::string word = LowerAZ(Trimmed(argument.substr(prefix.size())));
    if (word != "machine" && word != "user" && word != "auto")
        return std::nullopt;
    return ParseScopeSetting(word);
}

bool LoadsUserFontsAtSignIn(unsigned major, unsigned minor, unsigned build) {
    if (major != 10)
        return major > 10;
    return minor > 0 || build >= kFirstBuildLoadingUserFonts;
}
