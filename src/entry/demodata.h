#pragma once

#include "data/instrumentfile.h"
#include "data/observationstore.h"

#include <cstdint>

namespace orvanek {

struct DemoOptions {
    int fromYear = 1996;
    int toYear = 2008;
    uint32_t seed = 1;
};

// The drawing radius of the demo data set, mm, polar entry.
inline constexpr double kDemoRadius = 125;

// Fills an empty store with a demo data set, as a few observers would have typed it into
// the entry dialog day after day: each observation is an entry form of typed texts that
// goes through the dialog's own commit, so the records are exactly what the program
// stores. Active regions are born at a rate that follows the solar cycle (rising and
// falling, minima in 1996 and 2008 and every 12.3 years around them), at latitudes that
// drift from about 27° towards the equator over a cycle, live for days to weeks while the
// Sun turns them across the disk, and grow and decay through the McIntosh classes; the
// larger groups get auxiliary spots, groups near the limb faculae fields. One observation
// on most days, drawn at R = 125 mm in polar entry. The same options always give the same
// records. Sets the store's drawing setup; the store is not saved here.
StoreStatus makeDemoData(ObservationStore &store, const DemoOptions &options);

// The instrument lines that go with the demo data set.
InstrumentLines demoInstrumentLines();

} // namespace orvanek
