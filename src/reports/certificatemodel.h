#pragma once

#include "data/instrumentfile.h"
#include "reports/monthprompt.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvanek {

class ObservationStore;

// The eight values of a certificate row that are summed and averaged, in the order of the
// columns.
enum CertificateValue {
    CertG,        // groups, north + south
    CertF,        // spots, north + south
    CertR,        // relative number, north + south
    CertNorthR,   // relative number of the north
    CertSouthR,   // relative number of the south
    CertCentralR, // relative number of the central zone
    CertFaculae,  // faculae number F
    CertSeeing,   // seeing quality Q
    CertificateValueCount
};

// One day of the certificate's month.
struct CertificateDay {
    int day = 0;          // 1..days of the month
    int recordNumber = 0; // 1-based record that fills the row; 0 when the day was not observed
    uint16_t timeUT = 0;  // hhmm of the summary
    std::array<int, CertificateValueCount> values{};
    QString observer;

    bool observed() const { return recordNumber != 0; }
};

// The header's station and instrument, as the instrument box holds them.
struct CertificateHeader {
    QString station;        // line 6
    QString instrument;     // line 2
    QString aperture;       // line 3, objective diameter, mm
    QString objectiveFocus; // line 5, objective focal length, mm
    QString eyepiece;       // line 4, eyepiece focal length, mm
    // Objective focal length over eyepiece focal length, whole times; nothing when either is
    // not a whole number of 0..65535 mm or the eyepiece is 0.
    std::optional<int> magnification;
};

// Everything one paint or print of the certificate shows.
struct CertificateModel {
    AskedMonth month;
    int daysInMonth = 0;
    // The station line is empty: the instrument box is opened instead of the certificate.
    bool needsInstrument = false;
    CertificateHeader header;
    std::vector<CertificateDay> days; // one per day of the month, day 1 first
    // Records of the month that found their day already filled by an earlier record of it.
    int skippedRecords = 0;
    std::array<long long, CertificateValueCount> sums{};
    int observingDays = 0;
    std::array<double, CertificateValueCount> means{}; // sums / observingDays; 0 with no day
    double observedShare = 0;                          // percent of the month's days observed
};

// Days of the month on the certificate (Gregorian: February 1900 has 28, 2000 has 29).
int certificateDaysInMonth(int month, int year);

// The 0-based index of the first record (in store order) dated in `month`: the record the
// certificate makes current. Nothing when the month has no record, and the prompt asks again.
std::optional<int> monthRecordIndex(const ObservationStore &store, const AskedMonth &month);

// Builds the certificate of `month` from the store's records and the instrument lines. A day
// takes the first record dated on it; further records of that day are left out (and
// counted in skippedRecords), so every later day still gets its own record. Sums and means
// cover what the rows show. Records whose date does not read take no part, nor does the
// placeholder of a new data set.
CertificateModel buildCertificate(const ObservationStore &store, const AskedMonth &month,
                                  const InstrumentLines &instrument);

// The header alone, from the instrument lines.
CertificateHeader certificateHeader(const InstrumentLines &instrument);

} // namespace orvanek
