#include "search_filter.h"

std::string LowerAZ(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool PassesSearchFilter(const std::string& name, const std::string& text, bool searchActive) {
    if (!searchActive)
        return true;
    // An empty text occurs in no name: while the user has emptied the box, a
    // listing adds no rows (the change handler itself shows every record).
    if (text.empty())
        return false;
    return LowerAZ(name).find(LowerAZ(text)) != std::string::npos;
}
