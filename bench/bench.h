#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

struct JournalEntry;

namespace bench {

// Nearest-rank percentile; 50 is the median, 100 the maximum.
inline double percentile(std::vector<double> values, double p)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = std::size_t(std::ceil(p / 100.0 * double(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

// A level-2 run as a learner makes them, three hours after run n - 1, with forty characters
// tallied and timed.
JournalEntry sampleEntry(int n, std::mt19937& engine);

inline int fail(const char* why)
{
    std::fprintf(stderr, "dovanel_bench: %s\n", why);
    return 2;
}

} // namespace bench

int benchKeystroke(int argc, char** argv, int keys);
int benchLoadBlock(int runs);
int benchOpenText(int argc, char** argv, int runs);
int benchJournal(int argc, char** argv, int runs);
int benchWeakBlock(int argc, char** argv, int runs);
