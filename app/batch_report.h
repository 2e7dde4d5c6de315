// What the user is told about an operation on several fonts: the question
// before a trash, and one message listing the fonts that could not be done.
// Portable: no Windows calls.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A font an operation left as it was, and why.
struct BatchFailure {
    std::string Name;
    std::string Reason;
};

// "1 font", "12 fonts".
std::string CountedFonts(std::size_t count);

// The question before fonts go to the recycle bin: it names the one font, or
// the number of them.
std::string TrashFontsQuestion(std::size_t count, const std::string& firstName);

// Longest list of failed fonts one message shows; the rest are counted.
constexpr std::size_t kReportedFailures = 15;

// One message about an operation over total fonts of which failures could
// not be done (done: what the others now are, "switched on", "moved to
// Beta"): a line that says how many failed and that the others were done,
// a blank line, then one line per failed font (its name and the reason; the
// reason alone when it names the font), at most kReportedFailures of them.
// Empty when nothing failed.
std::string BatchFailureReport(const std::string& done, std::size_t total,
                               const std::vector<BatchFailure>& failures);
