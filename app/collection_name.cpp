#include "collection_name.h"

#include "search_filter.h"

namespace {

bool IsBlank(const std::string& name) {
    for (char c : name)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

bool IsForbiddenCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32)
        return true; // control characters, the terminator included
    for (char forbidden : std::string("\\/:*?\"<>|"))
        if (c == forbidden)
            return true;
    return false;
}

// How many UTF-16 code units the UTF-8 text takes, the units the length limits
// of Windows paths count: one per character, two for one beyond U+FFFF.
std::size_t Utf16Length(const std::string& utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) // not a continuation byte
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

} // namespace

bool IsReservedDeviceName(const std::string& name) {
    // Windows maps "CON.txt" and "con .x" to the device as well: only the part
    // before the first dot counts, without trailing spaces.
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    stem = LowerAZ(stem);
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul" || stem == "conin$" ||
        stem == "conout$")
        return true;
    if (stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0))
        return stem[3] >= '1' && stem[3] <= '9';
    return false;
}

std::string CollectionNameRuleMessage(const std::string& fontsRoot, const std::string& name,
                                      LeadByteTest isLeadByte) {
    if (IsBlank(name))
        return "Please enter a name for the new collection.";
    if (name == "." || name == "..")
        return "\"" + name + "\" cannot be used as a collection name.";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (isLeadByte && isLeadByte(byte)) {
            // The next byte is the second half of this character, whatever it
            // would mean alone. No code page has a control character there: a
            // name cut after the first half is no name.
            if (++i == name.size() || static_cast<unsigned char>(name[i]) < 32)
                return "The collection name holds an incomplete character.";
            continue;
        }
        if (IsForbiddenCharacter(name[i]))
            return "A collection name cannot contain control characters or any of these "
                   "characters: \\ / : * ? \" < > |";
    }
    if (name.back() == '.' || name.back() == ' ')
        return "A collection name cannot end with a dot or a space.";
    if (IsReservedDeviceName(name))
        return "\"" + name +
               "\" is a device name reserved by Windows and cannot be used as a "
               "collection name.";
    const std::size_t rootLength = Utf16Length(fontsRoot);
    if (rootLength + Utf16Length(name) > kMaxCollectionFolderLength) {
        const std::size_t room =
            rootLength < kMaxCollectionFolderLength ? kMaxCollectionFolderLength - rootLength : 0;
        return "The collection name is too long: in " + fontsRoot + " it may have at most " +
               std::to_string(room) + " characters.";
    }
    return {};
}
