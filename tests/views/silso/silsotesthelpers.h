#pragma once

#include "data/observationstore.h"
#include "datedrecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace orvanek::testing {

// A record of that date whose stored summary holds the given R of each hemisphere.
inline ObservationRecord recordWithR(const QString &date, int north, int south,
                                     bool special = false) {
    ObservationRecord r = datedRecord(date, 1000, QStringLiteral("Novák"));
    r.summary.northR = static_cast<uint16_t>(north);
    r.summary.southR = static_cast<uint16_t>(south);
    if (special)
        writeText(r.specialMark, specialMarkText());
    return r;
}

// Own records exactly 1/1.5 of the SILSO file below on every day both have: January 2001 on
// the 2nd, 3rd (two records: R 60 and 80, the day 70) and 5th; February on the 1st and 2nd;
// April on the 1st (a month without data between). Beside them: the 4th of January, which the
// file marks missing, a special record on the 6th, and the 10th of March, which the file
// does not reach in its March.
inline std::vector<ObservationRecord> ownRecords() {
    return {recordWithR("02.01.2001", 30, 10), recordWithR("03.01.2001", 40, 20),
            recordWithR("03.01.2001", 50, 30), recordWithR("04.01.2001", 25, 25),
            recordWithR("05.01.2001", 10, 10), recordWithR("06.01.2001", 150, 50, true),
            recordWithR("01.02.2001", 20, 10), recordWithR("02.02.2001", 30, 20),
            recordWithR("10.03.2001", 90, 90), recordWithR("01.04.2001", 40, 40)};
}

// The daily totals 1.5 times the own days; a total of -1 on the 4th of January and a wild
// value on the 6th, where the own record is special.
inline QByteArray silsoTotals() {
    return "2001;01;02;2001.004;   60; 1.0; 10;1\n"
           "2001;01;03;2001.007;  105; 1.0; 10;1\n"
           "2001;01;04;2001.010;   -1;-1.0;  0;1\n"
           "2001;01;05;2001.012;   30; 1.0; 10;1\n"
           "2001;01;06;2001.015;  999; 1.0; 10;1\n"
           "2001;02;01;2001.086;   45; 1.0; 10;1\n"
           "2001;02;02;2001.089;   75; 1.0; 10;1\n"
           "2001;03;01;2001.163;   12; 1.0; 10;1\n"
           "2001;04;01;2001.247;  120; 1.0; 10;1\n";
}

// The same days split into hemispheres, each 1.5 times the own one; on the 2nd of February
// the file has no north value (-1), which must not count.
inline QByteArray silsoHemispheres() {
    return "2001;01;02;2001.004;  60;  45; 15; 1; 1; 1; 9; 9; 9;1\n"
           "2001;01;03;2001.007; 105;  67.5; 37.5; 1; 1; 1; 9; 9; 9;1\n"
           "2001;01;05;2001.012;  30;  15; 15; 1; 1; 1; 9; 9; 9;1\n"
           "2001;02;01;2001.086;  45;  30; 15; 1; 1; 1; 9; 9; 9;1\n"
           "2001;02;02;2001.089;  75;  -1; 30; 1; 1; 1; 9; 9; 9;1\n"
           "2001;04;01;2001.247; 120;  60; 60; 1; 1; 1; 9; 9; 9;1\n";
}

inline void fillStore(ObservationStore &store, const std::vector<ObservationRecord> &records) {
    store.appendRecords(records);
    store.setDrawingSetup(125, false);
}

} // namespace orvanek::testing
