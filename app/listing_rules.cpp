#include "listing_rules.h"

namespace nq::listing {

std::string GroupedDigits(std::uint64_t n) {
    const std::string digits = std::to_string(n);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

std::string ReadingText(std::uint64_t read, std::uint64_t total) {
    return "Reading " + GroupedDigits(read) + " of " + GroupedDigits(total);
}

bool HandOverNow(const Pending& pending) {
    if (pending.FilesRead == 0)
        return false;
    if (pending.Records > 0 && !pending.RecordHandedOver)
        return true;
    return pending.Records >= kMaxBatchRecords || pending.MillisSince >= kHandoverIntervalMs;
}

} // namespace nq::listing
