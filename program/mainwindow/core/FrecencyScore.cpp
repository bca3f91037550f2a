// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FrecencyScore.h"

#include "URLData.h"

#include <algorithm>
#include <cmath>

namespace FrecencyScore {

int recencyWeight(double ageDays)
{
    struct Bucket
    {
        double days;
        int weight;
    };
    static constexpr Bucket buckets[] = {{4, 100}, {14, 70}, {31, 50}, {90, 30}};
    for (const Bucket &bucket : buckets) {
        if (ageDays <= bucket.days)
            return bucket.weight;
    }
    return 10;
}

double score(const URLData &entry, double now)
{
    const double bonus = ratingBonus * std::min<int>(entry.Rated, 4);
    if (!(entry.LastAccesed > 0.0) || entry.Visited <= 0)
        return bonus;
    return recencyWeight(now - entry.LastAccesed) * std::log2(1.0 + entry.Visited) + bonus;
}

}  // namespace FrecencyScore
