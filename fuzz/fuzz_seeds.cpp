// Writes the seed corpora of the fuzz targets:
//   orvanek_fuzz_seeds RECORDS_DIR DATES_DIR
// Records: small generated data sets, and a few with the damage real files show (an
// unreadable date, counts past 30, over-long texts, a piece of a record at the end, records
// out of order). Dates: typical texts, patterns and numbers in the layout fuzz_dates reads.

#include "bench/datagenerator.h"

#include "data/observationrecord.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace orvanek;

namespace {

bool writeFile(const QString &dir, const QString &name, const QByteArray &bytes) {
    QFile file(QDir(dir).filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray bytesOf(const std::vector<ObservationRecord> &records) {
    return QByteArray(reinterpret_cast<const char *>(records.data()),
                      static_cast<qsizetype>(records.size()) * kRecordSize);
}

bool writeRecordSeeds(const QString &dir) {
    bool ok = true;
    auto seed = [&](const char *name, const std::vector<ObservationRecord> &records,
                    const QByteArray &tail = {}) {
        ok = writeFile(dir, QString::fromLatin1(name), bytesOf(records) + tail) && ok;
    };

    seed("one", bench::generateRecords(1, 1));
    seed("three", bench::generateRecords(3, 2));
    seed("five", bench::generateRecords(5, 3));
    seed("eight", bench::generateRecords(8, 4));
    seed("empty", {});

    std::vector<ObservationRecord> reversed = bench::generateRecords(6, 5);
    std::reverse(reversed.begin(), reversed.end());
    seed("reversed", reversed);

    std::vector<ObservationRecord> shortForms = bench::generateRecords(4, 6);
    writeText(shortForms[1].dateText, QStringLiteral("8.1.96"));
    writeText(shortForms[2].dateText, QStringLiteral(" 2. 1. 1996"));
    writeText(shortForms[3].dateText, QStringLiteral("1.1"));
    seed("short-dates", shortForms);

    std::vector<ObservationRecord> badDate = bench::generateRecords(4, 7);
    writeText(badDate[2].dateText, QStringLiteral("31.04.1996"));
    badDate[2].groupCount = 2;
    seed("bad-date", badDate);

    std::vector<ObservationRecord> damaged = bench::generateRecords(3, 8);
    damaged[0].groupCount = 255;
    damaged[0].faculaFieldCount = 31;
    damaged[1].dateText.length = 200;
    damaged[1].observer.length = 255;
    damaged[1].group(1).type.length = 9;
    damaged[1].groupCount = std::max<uint8_t>(damaged[1].groupCount, 1);
    damaged[2].timeUT = 9999;
    damaged[2].group(1).distance = 65535;
    damaged[2].group(1).angle = 65535;
    damaged[2].groupCount = std::max<uint8_t>(damaged[2].groupCount, 1);
    seed("damaged", damaged);

    std::vector<ObservationRecord> marks = bench::generateRecords(4, 9);
    writeText(marks[0].specialMark, QStringLiteral("zvlastni"));
    writeText(marks[1].specialMark, QStringLiteral("zvl"));
    writeText(marks[2].specialMark, QStringLiteral("abc"));
    writeText(marks[3].specialMark, QStringLiteral("zz"));
    seed("special-marks", marks);

    seed("trailing", bench::generateRecords(3, 10), QByteArray(100, '\x5a'));
    seed("part-record", {}, QByteArray(700, '\x01'));
    return ok;
}

// fuzz_dates reads its numbers from the end of the input, most significant byte last.
void appendFromEnd(std::string &out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string dateSeed(const std::string &pattern, const std::string &text, double thousandths,
                     int pivotYear) {
    std::string out = pattern + "\\x" + text;
    const int64_t value = std::llround(thousandths * 1000);
    appendFromEnd(out, static_cast<uint64_t>(value + 100'000'000), 4); // range -1e8..1e8
    appendFromEnd(out, 1, 1);                                          // the thousandths
    appendFromEnd(out, static_cast<uint64_t>(pivotYear - 1), 2);       // pivot 1..9999
    return out;
}

bool writeDateSeeds(const QString &dir) {
    const std::vector<std::string> texts = {"08.12.2026", "8.12.2026",  " 8. 12. 2026 ", "8.12",
                                            "29.02.2000", "29.02.1900", "31.04.2026",    "1.1.26",
                                            "01.01.0001", "31.12.9999", "08.12.26",      "8 .12",
                                            "",           "12.2026",    "0.1.2000"};
    const std::vector<std::string> patterns = {"0.0",   "##0.00", "###",      "###.#",
                                               "00",    "0000",   " 00;-00",  "dd.mm.yyyy",
                                               "hh nn", "d.m.yy", "#,##0.0#", "0.000;(0.000)"};
    const std::vector<double> values = {12.345, -0.5, 2.5, 1234.567, -3, 0, 99999.995, 0.125};
    bool ok = true;
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string bytes =
            dateSeed(patterns[i % patterns.size()], texts[i], values[i % values.size()],
                     1950 + 5 * static_cast<int>(i));
        ok = writeFile(dir, QStringLiteral("seed-%1").arg(i),
                       QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))) &&
             ok;
    }
    return ok;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RECORDS_DIR DATES_DIR\n", argv[0]);
        return 2;
    }
    const QString recordsDir = QString::fromLocal8Bit(argv[1]);
    const QString datesDir = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(recordsDir) || !QDir().mkpath(datesDir) || !writeRecordSeeds(recordsDir) ||
        !writeDateSeeds(datesDir)) {
        std::fprintf(stderr, "cannot write the seeds\n");
        return 1;
    }
    return 0;
}
