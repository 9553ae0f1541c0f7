#pragma once
// Shared by every benchmark: repetitions reduced to their median and the one-line figures that
// bench/run.sh collects ("name: value unit (ratio x)"). Portable.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

// The median of the samples; a noisy machine moves single runs, rarely the middle one.
inline double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const size_t mid = samples.size() / 2;
    return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}

// The median of the ratios of paired samples: each repetition's figure against the baseline
// measured next to it, which cancels the machine's slower and faster moments better than a
// ratio of two medians.
inline double MedianRatio(const std::vector<double>& values, const std::vector<double>& baselines) {
    std::vector<double> ratios;
    for (size_t i = 0; i < values.size() && i < baselines.size(); ++i)
        if (baselines[i] > 0) ratios.push_back(values[i] / baselines[i]);
    return Median(ratios);
}

// Milliseconds since construction, from the steady clock.
class Stopwatch {
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double Ms() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

inline void Figure(const std::string& name, double value, const char* unit) {
    std::printf("%s: %.3f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

// A figure compared with its baseline from the same run.
inline void Figure(const std::string& name, double value, const char* unit, double baseline) {
    std::printf("%s: %.3f %s (%.3f x)\n", name.c_str(), value, unit, baseline > 0 ? value / baseline : 0.0);
    std::fflush(stdout);
}

// The median of paired samples with the median of their ratios to the baseline's samples.
inline void PairedFigure(const std::string& name, const std::vector<double>& values, const char* unit,
                         const std::vector<double>& baselines) {
    std::printf("%s: %.3f %s (%.3f x)\n", name.c_str(), Median(values), unit, MedianRatio(values, baselines));
    std::fflush(stdout);
}

// Repetitions from the command line: the first argument when it is a positive number.
inline int Runs(int argc, char** argv, int fallback) {
    if (argc > 1) {
        const int runs = std::atoi(argv[1]);
        if (runs > 0) return runs;
    }
    return fallback;
}

}  // namespace bench
