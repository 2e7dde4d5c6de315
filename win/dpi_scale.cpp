#include "dpi_scale.h"

#include <climits>

namespace nq {

namespace {

// numerator / denominator (denominator > 0), halves away from zero, held to
// the range of int.
int RoundedQuotient(long long numerator, long long denominator) {
    const long long half = denominator / 2;
    const long long q =
        numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
    if (q > INT_MAX)
        return INT_MAX;
    if (q < INT_MIN)
        return INT_MIN;
    return static_cast<int>(q);
}

long long ValidDpi(int dpi) {
    return dpi > 0 ? dpi : kBaseDpi;
}

} // namespace

int Scaled(int size96, int dpi) {
    return RoundedQuotient(static_cast<long long>(size96) * ValidDpi(dpi), kBaseDpi);
}

int Unscaled(int pixels, int dpi) {
    return RoundedQuotient(static_cast<long long>(pixels) * kBaseDpi, ValidDpi(dpi));
}

bool UsesDoubleSizeImages(int dpi) {
    return ValidDpi(dpi) >= kDoubleSizeFromDpi;
}

std::string DoubleSizeImageName(const std::string& name) {
    const std::string::size_type dot = name.find_last_of('.');
    const std::string::size_type slash = name.find_last_of("\\/");
    if (dot == std::string::npos || dot == 0 || (slash != std::string::npos && dot < slash))
        return name + "@2x";
    return name.substr(0, dot) + "@2x" + name.substr(dot);
}

int ImageExtent(int extent, int factor, int dpi) {
    return RoundedQuotient(static_cast<long long>(extent) * ValidDpi(dpi),
                           static_cast<long long>(kBaseDpi) * (factor > 0 ? factor : 1));
}

int ImagePixelAt(int at, int extent, int shown) {
    if (at < 0 || at >= shown || extent <= 0)
        return -1;
    return static_cast<int>(static_cast<long long>(at) * extent / shown);
}

} // namespace nq
