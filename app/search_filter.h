// The fonts list's search filter. Portable: no Windows calls.
#pragma once

#include <string>

// Lower-cases the letters A to Z only.
std::string LowerAZ(std::string text);

// Whether a font named name is listed while the search box holds text and
// searchActive tells that text is the user's own (not the placeholder).
bool PassesSearchFilter(const std::string& name, const std::string& text, bool searchActive);
