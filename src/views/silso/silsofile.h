#pragma once

#include "solar/calendar.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace orvanek {

// The international sunspot number as WDC-SILSO (Royal Observatory of Belgium) publishes
// it day by day, in a file the user has downloaded; the program never goes online. Two
// layouts are read, told apart by their number of fields (';'-separated, padded with
// blanks, no header line):
//   SN_d_tot_V2.0.csv  year;month;day;decimalYear;SN;stdDev;observations;definitive
//   SN_d_hem_V2.0.csv  year;month;day;decimalYear;total;north;south;sdTotal;sdNorth;
//                      sdSouth;nTotal;nNorth;nSouth;definitive
// A sunspot number of -1 marks a day without a value.
enum class SilsoKind { Total, Hemispheric };

inline constexpr int kSilsoTotalFields = 8;
// No day's sunspot number comes near this: SILSO's highest is 528, on 26 August 1870
// (SN_d_tot_V2.0). A larger value is a broken line.
inline constexpr int kHighestSunspotNumber = 2000;
inline constexpr int kSilsoHemisphericFields = 14;

// One day of the file that has a value.
struct SilsoDay {
    int32_t day = 0; // serialDay of the date
    CalendarDate date;
    double total = 0;  // the daily sunspot number
    double north = -1; // hemispheric file only; below 0 where the file has none
    double south = -1;
    int line = 0; // where the file gives it, from 1
};

struct SilsoFile {
    SilsoKind kind = SilsoKind::Total;
    QString name; // the file's name, for captions and messages
    int lines = 0;
    std::vector<SilsoDay> days; // in date order, each date once
};

// A file read, or the message that says which line is wrong or why.
struct SilsoReadResult {
    std::optional<SilsoFile> file;
    QString message;
};

// Reads the text of a daily file; `name` names it in messages. Blank lines are skipped and
// a line may end in CR LF. Any other line of a wrong number of fields, a field that should
// be a number and is not, a sunspot number that is neither -1 nor 0 to
// kHighestSunspotNumber, a date that does not exist or comes twice refuses the file.
SilsoReadResult parseSilsoFile(const QByteArray &text, const QString &name);

// The same from a file on disk: a regular file of at most kLargestTextFileBytes.
SilsoReadResult readSilsoFile(const QString &path);

} // namespace orvanek
