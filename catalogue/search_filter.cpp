#include "search_filter.h"

std::string LowerAZ(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

SearchFilter::SearchFilter(const std::string& text, bool active)
    : lowerText_(LowerAZ(text)), showAll_(!active || text.empty()) {}

bool SearchFilter::Passes(const std::string& name) const {
    return showAll_ || LowerAZ(name).find(lowerText_) != std::string::npos;
}
