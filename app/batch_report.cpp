#include "batch_report.h"

std::string CountedFonts(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " font" : " fonts");
}

std::string TrashFontsQuestion(std::size_t count, const std::string& firstName) {
    if (count == 1)
        return "Are you sure you want move the font " + firstName + " to the trash?";
    return "Are you sure you want move these " + std::to_string(count) + " fonts to the trash?";
}

std::string BatchFailureReport(const std::string& done, std::size_t total,
                               const std::vector<BatchFailure>& failures) {
    if (failures.empty())
        return {};
    std::string text;
    const std::size_t others = failures.size() < total ? total - failures.size() : 0;
    if (others == 0)
        text = total <= 1 ? "The font could not be " + done + "."
                          : "None of the " + CountedFonts(total) + " could be " + done + ".";
    else
        text = std::to_string(failures.size()) + " of " + CountedFonts(total) + " could not be " +
               done +
               (others == 1 ? "; the other one was."
                            : "; the other " + std::to_string(others) + " were.");
    text += "\n";
    for (std::size_t i = 0; i < failures.size() && i < kReportedFailures; ++i) {
        const BatchFailure& failure = failures[i];
        text += "\n";
        if (failure.Reason.find(failure.Name) == std::string::npos)
            text += failure.Name + ": " + failure.Reason;
        else
            text += failure.Reason;
    }
    if (failures.size() > kReportedFailures)
        text += "\n... and " + std::to_string(failures.size() - kReportedFailures) + " more.";
    return text;
}
