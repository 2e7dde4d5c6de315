// Times several ways of handling each file of a corpus, or several operations
// over one data set, against each other. Every round runs each method once over
// the whole corpus (each pass once), in an order that rotates from round to
// round so that no method always follows the same one; the figure of a method
// is the median over the rounds of its mean time per file (of a pass: its time).
// A ratio is the median over the rounds of that round's ratio: both passes of a
// round ran moments apart, so a load that comes and goes on the machine cancels.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
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
    // Per method (or pass), per round: the time per file (or per run).
    std::vector<std::vector<double>> rounds_us;
    std::vector<double> median_us; // per method: median over rounds
    std::vector<double> min_us;    // per method: the best round
    std::vector<double> max_us;    // per method: the worst round
};

inline volatile unsigned g_sink;

// One timed operation over a whole data set: each round times one run of it.
struct Pass {
    const char* name; // row name
    const char* what; // the calls it makes
    // The timed work; the result is folded into a sink so the work cannot be dropped.
    std::function<unsigned()> run;
    // Untimed set-up before every run (the state the timed work starts from); may be empty.
    std::function<void()> prepare;
};

inline Figures Summarise(std::vector<std::vector<double>> samples) {
    Figures figures;
    for (const std::vector<double>& s : samples) {
        figures.median_us.push_back(Median(s));
        figures.min_us.push_back(*std::min_element(s.begin(), s.end()));
        figures.max_us.push_back(*std::max_element(s.begin(), s.end()));
    }
    figures.rounds_us = std::move(samples);
    return figures;
}

// Times every pass once per round, in the rotating order; figures are microseconds per run.
inline Figures MeasurePasses(const std::vector<Pass>& passes, int rounds) {
    using Clock = std::chrono::steady_clock;
    const std::size_t count = passes.size();
    std::vector<std::vector<double>> samples(count);

    // One untimed run each, so that every file is in the page cache and every
    // code path has run before the first timed round.
    for (const Pass& p : passes) {
        if (p.prepare)
            p.prepare();
        g_sink = g_sink + p.run();
    }

    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t i = (k + static_cast<std::size_t>(round)) % count;
            if (passes[i].prepare)
                passes[i].prepare();
            const Clock::time_point start = Clock::now();
            const unsigned fold = passes[i].run();
            const Clock::time_point stop = Clock::now();
            g_sink = g_sink + fold;
            samples[i].push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        }
    }
    return Summarise(std::move(samples));
}

// Per-file methods: each round runs every method over all files; figures are
// microseconds per file.
inline Figures Measure(const std::vector<Method>& methods, const std::vector<std::string>& files,
                       int rounds) {
    std::vector<Pass> passes;
    for (const Method& m : methods)
        passes.push_back({m.name,
                          m.what,
                          [&files, run = m.run] {
                              unsigned fold = 0;
                              for (const std::string& f : files)
                                  fold += run(f);
                              return fold;
                          },
                          {}});
    Figures figures = MeasurePasses(passes, rounds);
    for (std::vector<double>& s : figures.rounds_us)
        for (double& us : s)
            us /= static_cast<double>(files.size());
    return Summarise(std::move(figures.rounds_us));
}

inline void PrintTable(const std::vector<Method>& methods, const Figures& figures,
                       std::size_t file_count, int rounds) {
    std::printf("%zu files, %d rounds; time per file in microseconds\n", file_count, rounds);
    std::printf("  %-16s %9s %9s %9s   %s\n", "", "median", "min", "max", "calls");
    for (std::size_t i = 0; i < methods.size(); ++i)
        std::printf("  %-16s %9.2f %9.2f %9.2f   %s\n", methods[i].name, figures.median_us[i],
                    figures.min_us[i], figures.max_us[i], methods[i].what);
}

// Passes over a data set of item_count items: milliseconds per run, and
// microseconds per item of the median run.
inline void PrintPassTable(const std::vector<Pass>& passes, const Figures& figures,
                           std::size_t item_count, int rounds) {
    std::printf("%zu files, %d rounds; time per run in milliseconds\n", item_count, rounds);
    std::printf("  %-16s %9s %9s %9s %9s   %s\n", "", "median", "min", "max", "us/file", "calls");
    for (std::size_t i = 0; i < passes.size(); ++i)
        std::printf("  %-16s %9.2f %9.2f %9.2f %9.2f   %s\n", passes[i].name,
                    figures.median_us[i] / 1000, figures.min_us[i] / 1000, figures.max_us[i] / 1000,
                    figures.median_us[i] / static_cast<double>(item_count), passes[i].what);
}

enum class Bound { AtMost, Below };

// Prints a figure and whether it meets its target.
inline void PrintTarget(const char* label, double value, const char* unit, Bound bound,
                        double target) {
    const bool met = bound == Bound::AtMost ? value <= target : value < target;
    std::printf("  %-30s %6.2f%s   target %s %.2f%s: %s\n", label, value, unit,
                bound == Bound::AtMost ? "<=" : "<", target, unit, met ? "met" : "MISSED");
}

// Prints the median per-round ratio of two methods and whether it meets its target.
inline void PrintRatio(const char* label, const Figures& figures, std::size_t num, std::size_t den,
                       Bound bound, double target) {
    std::vector<double> ratios;
    for (std::size_t r = 0; r < figures.rounds_us[num].size(); ++r)
        ratios.push_back(figures.rounds_us[num][r] / figures.rounds_us[den][r]);
    PrintTarget(label, Median(ratios), "", bound, target);
}

// A corpus of several font formats: every method over all files, then the
// first (a floor) and the last (a reader that returns the faces it read) over
// each format's files alone, so that no format's cost hides behind another's.
inline void MeasureMixedCorpus(const std::vector<Method>& methods,
                               const std::vector<std::string>& files, int rounds) {
    const Method& floor = methods.front();
    const Method& reader = methods.back();
    std::size_t faces = 0, read = 0;
    for (const std::string& f : files) {
        const unsigned n = reader.run(f);
        faces += n;
        read += n > 0;
    }
    std::printf("%s read %zu of %zu files, %zu faces\n", reader.name, read, files.size(), faces);
    const Figures figures = Measure(methods, files, rounds);
    PrintTable(methods, figures, files.size(), rounds);
    std::printf("  per format, time per file in microseconds (median):\n");
    std::printf("  %-10s %6s %16s %16s %8s\n", "format", "files", floor.name, reader.name, "ratio");
    for (const char* extension : {".ttf", ".otf", ".ttc"}) {
        std::vector<std::string> subset;
        for (const std::string& f : files)
            if (f.size() > 4 && f.compare(f.size() - 4, 4, extension) == 0)
                subset.push_back(f);
        if (subset.empty())
            continue;
        const Figures pair = Measure({floor, reader}, subset, rounds);
        std::vector<double> ratios;
        for (std::size_t r = 0; r < pair.rounds_us[0].size(); ++r)
            ratios.push_back(pair.rounds_us[1][r] / pair.rounds_us[0][r]);
        std::printf("  %-10s %6zu %16.2f %16.2f %8.2f\n", extension, subset.size(),
                    pair.median_us[0], pair.median_us[1], Median(ratios));
    }
}

} // namespace bench
