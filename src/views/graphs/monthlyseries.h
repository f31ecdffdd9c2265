#pragma once

// Monthly means of a whole-disk daily quantity, filled across empty months, and their
// 13-month smoothing: what the smoothed graphs draw and the command line lists.

#include "data/observationstore.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvanek {

// The eight quantities of the smoothed graphs, numbered as the tool panel orders them.
enum class SmoothedQuantity {
    Groups = 1,
    Spots,
    Relative,
    ClassSum,
    Pettis,
    Beck,
    Area,
    HemisphereArea
};

struct SmoothedQuantityInfo {
    SmoothedQuantity quantity;
    QString key; // the command line's name: g, f, r, cv, sn, rb, area, hemisphere
    uint16_t RecordSummary::*northField;
    uint16_t RecordSummary::*southField;
    int scaleStep;     // value of one labelled grid step
    const char *title; // untranslated: smoothedQuantityTitle()
};

const std::array<SmoothedQuantityInfo, 8> &smoothedQuantities();
const SmoothedQuantityInfo &smoothedQuantityInfo(SmoothedQuantity quantity);
std::optional<SmoothedQuantity> smoothedQuantityFromKey(QStringView key);
// The quantity's title in the program's language.
QString smoothedQuantityTitle(SmoothedQuantity quantity);

// Means are kept in eighths of the quantity's unit.
inline constexpr int kEighths = 8;
// The smoothed value is the sum of 13 months with half weights at both ends: 24 times their
// mean, so a smoothed value in eighths is kSmoothedScale times the value.
inline constexpr int kSmoothingWeights = 24;
inline constexpr int kSmoothedScale = kEighths * kSmoothingWeights; // 192
inline constexpr int kSmoothingHalfWidth = 6;

// January of the first year is month 1.
int monthNumber(const CalendarDate &date, int firstYear);

struct MonthlySeries {
    SmoothedQuantity quantity = SmoothedQuantity::Groups;
    uint16_t firstYear = 0; // year of the first record

    // One entry per closed month with records, in the order met: its month number M and
    // mean T (eighths, truncated). The month of the last record is still open and absent.
    std::vector<int> monthNumber;
    std::vector<int32_t> monthlyMean;
    // I[j] at [j] for j = 0..last closed month ([0] unused): the means with empty months
    // between filled in by rounded straight lines; 0 before the first month. Empty when
    // fewer than two months are closed.
    std::vector<int32_t> interpolatedMonthly;
    // Z[j] at [j], set for j = firstSmoothed..lastSmoothed (none when last < first).
    std::vector<int32_t> smoothed;
    int firstSmoothed = 0;
    int lastSmoothed = -1;

    int closedMonths() const { return static_cast<int>(monthNumber.size()); }
    // M[K], 0 when no month is closed.
    int lastClosedMonth() const { return monthNumber.empty() ? 0 : monthNumber.back(); }
    bool hasCurves() const { return closedMonths() >= 2; }
    bool hasSmoothed(int month) const { return month >= firstSmoothed && month <= lastSmoothed; }
};

// The means of the quantity's whole-disk value (north + south) per calendar month, over
// the records whose date reads, in store order; then interpolation and smoothing.
MonthlySeries buildMonthlySeries(const ObservationStore &store, SmoothedQuantity quantity);

// I from the months M (1 or more) and their means T; sized to the largest month number.
std::vector<int32_t> interpolateMonthly(const std::vector<int> &monthNumbers,
                                        const std::vector<int32_t> &means);

// Z[j] = I[j-6] + 2 (I[j-5] + ... + I[j+5]) + I[j+6]; j - 6 and j + 6 must lie in the table.
int32_t smoothedValue(const std::vector<int32_t> &interpolated, int month);

// The width box: 1..5 pixels per month step; above 5 is 5, and 0, a negative number or
// anything unreadable is the default 3.
inline constexpr int kDefaultPixelsPerMonth = 3;
inline constexpr int kMaxPixelsPerMonth = 5;
int pixelsPerMonthFromText(const QString &text);

} // namespace orvanek
