// Times several ways of handling each file of a corpus against each other.
// Every round runs each method once over the whole corpus, in an order that
// rotates from round to round so that no method always follows the same one;
// the figure of a method is the median over the rounds of its mean time per file.
// A ratio is the median over the rounds of that round's ratio: both passes of a
// round ran moments apart, so a load that comes and goes on the machine cancels.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct Method {
    const char* name; // column name
    const char* what; // the calls it makes
    // Handles one file; the result is folded into a sink so the work cannot be dropped.
    unsigned (*run)(const std::string& path);
};

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures {
    std::vector<std::vector<double>> rounds_us; // per method, per round: the time per file
    std::vector<double> median_us; // per method: median over rounds of the time per file
    std::vector<double> min_us;    // per method: the best round
    std::vector<double> max_us;    // per method: the worst round
};

inline volatile unsigned g_sink;

inline Figures Measure(const std::vector<Method>& methods, const std::vector<std::string>& files,
                       int rounds) {
    using Clock = std::chrono::steady_clock;
    const std::size_t count = methods.size();
    std::vector<std::vector<double>> samples(count);

    // One untimed pass each, so that every file is in the page cache and every
    // code path has run before the first timed round.
    for (const Method& m : methods)
        for (const std::string& f : files)
            g_sink = g_sink + m.run(f);

    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t i = (k + static_cast<std::size_t>(round)) % count;
            unsigned fold = 0;
            const Clock::time_point start = Clock::now();
            for (const std::string& f : files)
                fold += methods[i].run(f);
            const Clock::time_point stop = Clock::now();
            g_sink = g_sink + fold;
            const double us = std::chrono::duration<double, std::micro>(stop - start).count();
            samples[i].push_back(us / static_cast<double>(files.size()));
        }
    }

    Figures figures;
    for (const std::vector<double>& s : samples) {
        figures.median_us.push_back(Median(s));
        figures.min_us.push_back(*std::min_element(s.begin(), s.end()));
        figures.max_us.push_back(*std::max_element(s.begin(), s.end()));
    }
    figures.rounds_us = std::move(samples);
    return figures;
}

inline void PrintTable(const std::vector<Method>& methods, const Figures& figures,
                       std::size_t file_count, int rounds) {
    std::printf("%zu files, %d rounds; time per file in microseconds\n", file_count, rounds);
    std::printf("  %-16s %9s %9s %9s   %s\n", "", "median", "min", "max", "calls");
    for (std::size_t i = 0; i < methods.size(); ++i)
        std::printf("  %-16s %9.2f %9.2f %9.2f   %s\n", methods[i].name, figures.median_us[i],
                    figures.min_us[i], figures.max_us[i], methods[i].what);
}

enum class Bound { AtMost, Below };

// Prints the median per-round ratio of two methods and whether it meets its target.
inline void PrintRatio(const char* label, const Figures& figures, std::size_t num, std::size_t den,
                       Bound bound, double target) {
    std::vector<double> ratios;
    for (std::size_t r = 0; r < figures.rounds_us[num].size(); ++r)
        ratios.push_back(figures.rounds_us[num][r] / figures.rounds_us[den][r]);
    const double ratio = Median(ratios);
    const bool met = bound == Bound::AtMost ? ratio <= target : ratio < target;
    std::printf("  %-30s %6.2f   target %s %.2f: %s\n", label, ratio,
                bound == Bound::AtMost ? "<=" : "<", target, met ? "met" : "MISSED");
}

} // namespace bench
