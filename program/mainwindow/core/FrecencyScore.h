// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class URLData;

// How much an entry is worth putting first in a search: its visits, how
// recently it was last visited, and its rating.
//
//   score = recency weight × log2(1 + visits) + 20 × rating
//
// The recency weight comes from the age of the last visit: 100 within
// 4 days, 70 within 14, 50 within 31, 30 within 90, 10 when older, 0 when
// never visited (no date, a date before 1900, or no visits). A last visit in the future counts
// as today. Ratings go from 0 (Not Rated) to 4 (V.High).
namespace FrecencyScore {

constexpr double ratingBonus = 20.0;

// The weight of a last visit ageDays ago (negative: in the future).
int recencyWeight(double ageDays);
// The score of an entry at the present moment now (day counts).
double score(const URLData &entry, double now);

}  // namespace FrecencyScore
