// The fonts list's search filter. Portable: no Windows calls.
#pragma once

#include <string>

// Lower-cases the letters A to Z only.
std::string LowerAZ(std::string text);

// Which fonts the fonts list shows for the search box's text. A font passes
// when the text is the placeholder (not active), when the user emptied the
// box, or when the text occurs in the font's name, without regard to the case
// of A to Z. The text is lower-cased once, not once per font.
class SearchFilter {
  public:
    SearchFilter(const std::string& text, bool active);
    bool Passes(const std::string& name) const;

  private:
    std::string lowerText_;
    bool showAll_;
};
