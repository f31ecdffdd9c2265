#pragma once

// The daily series of the graph window: where each observation lies in time and how high
// its northern and southern value stands, in whole pixels.

#include "data/observationstore.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace orvanek {

// The quantities the daily graphs show: groups g, spots f, relative number R.
enum class GraphQuantity { Groups, Spots, Relative };

// One quantity: the summary fields of the two hemispheres, the value of one grid
// division and the text naming it in captions and panel titles.
struct GraphQuantityInfo {
    GraphQuantity quantity;
    uint16_t RecordSummary::*northField;
    uint16_t RecordSummary::*southField;
    int scaleStep;
    const char *quantityLabel; // untranslated
};

const GraphQuantityInfo &graphQuantityInfo(GraphQuantity quantity);

// Grid divisions of a panel that carry a value label (k = 1..10).
inline constexpr int kScaleDivisions = 10;
// Value of one division before any quantity is chosen (the labels then read 3..30).
inline constexpr int kInitialScaleStep = 3;
// On screen every day takes two pixels; only printing changes this.
inline constexpr int kScreenPixelsPerDay = 2;
// Positions are 32-bit and clipped to 0..kMaxGraphX pixels, never wrapped: a float still
// holds every whole pixel up to here, so the curves stay exact on any canvas. At two pixels
// a day that is 23 000 years, at twenty (a 10 000-pixel page) 2 300 years.
inline constexpr int32_t kMaxGraphX = (1 << 24) - 1;

// The daily series of the store: one point per record whose date reads, in store order
// (date order). The tables are as long as the data: there is no fixed number of records.
struct GraphSeries {
    int32_t graphDayZero = 0; // whole part of the day number of 1 January of firstYear
    uint16_t firstYear = 0;   // year of the first record
    int pixelsPerDay = kScreenPixelsPerDay;

    std::vector<int> recordIndex; // 0-based store index of each point
    std::vector<int32_t> graphX;  // pixels from 1 January of firstYear
    // Heights at `divisionHeight`, kept in 16 bits like the summary words they come from.
    std::vector<uint16_t> northHeight;
    std::vector<uint16_t> southHeight;

    GraphQuantity quantity = GraphQuantity::Groups; // the one checked in the menu
    int divisionHeight = 0;                         // the heights were quantised at this
    int scaleStep = kInitialScaleStep;
    std::array<int, kScaleDivisions + 1> scaleLabels = initialScaleLabels(); // [1..10]; [0] is 0
    QString quantityLabel; // empty until a quantity is chosen

    int pointCount() const { return static_cast<int>(graphX.size()); }
    // The right end of the data: the largest position, 0 for an empty series.
    int32_t lastX() const;
    // The whole-disk height, formed when drawing: never read from the record.
    int wholeHeight(int point) const {
        return northHeight[static_cast<size_t>(point)] + southHeight[static_cast<size_t>(point)];
    }

    static std::array<int, kScaleDivisions + 1> initialScaleLabels();
};

// The architecture's name for the daily model.
using ActivitySeries = GraphSeries;

// Position of a day: its whole-day offset from 1 January of the first year times
// pixelsPerDay, clipped to 0..kMaxGraphX.
int32_t graphXOf(const CalendarDate &date, int32_t graphDayZero, int pixelsPerDay);

// firstYear and graphDayZero from the first record whose date reads, then a position for
// every record whose date reads (records that do not read take no part). The heights are
// cleared: they follow at the next selectQuantity.
void buildTimeAxis(GraphSeries &series, const ObservationStore &store, int pixelsPerDay);

// The height of a value: (value x divisionHeight) div scaleStep, truncating, kept in 16 bits.
uint16_t quantisedHeight(int value, int divisionHeight, int scaleStep);

// Chooses the quantity: its label, step and value labels, and the heights of every point
// quantised at `divisionHeight` (pixels of one grid division at this moment).
void selectQuantity(GraphSeries &series, const ObservationStore &store, GraphQuantity quantity,
                    int divisionHeight);

// The heights of the quantity already chosen, at a new division height.
void recomputeSelected(GraphSeries &series, const ObservationStore &store, int divisionHeight);

// A whole series at once: time axis at `pixelsPerDay`, heights of `quantity`.
GraphSeries graphSeries(const ObservationStore &store, GraphQuantity quantity, int pixelsPerDay,
                        int divisionHeight);

} // namespace orvanek
