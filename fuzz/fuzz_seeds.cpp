// Writes the seed corpora of the fuzz targets:
//   orvanek_fuzz_seeds OUT_DIR
// into OUT_DIR/<target>/seeds. Records: small generated data sets, and a few with the damage
// real files show (an unreadable date, counts past 30, over-long texts, a piece of a record
// at the end, records out of order). Dates: typical texts, patterns and numbers in the
// layout fuzz_dates reads. SILSO: lines of both daily layouts around June 2002. Import:
// observations of each line kind after the byte that chooses the drawing setup. Instrument:
// pristroj.dat with its line ends. Butterfly: Motfakul.dat blocks with columns of both
// streams. Settings: orvanek.conf as the program writes it and as a hand may have changed it.

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

// Each text a seed of its own, seed-0, seed-1 ...
template <size_t N> bool writeTexts(const QString &dir, const char *const (&texts)[N]) {
    bool ok = true;
    for (size_t n = 0; n < N; ++n)
        ok = writeFile(dir, QStringLiteral("seed-%1").arg(n), QByteArray(texts[n])) && ok;
    return ok;
}

bool writeSilsoSeeds(const QString &dir) {
    const char *seeds[] = {
        "2002;06;01;2002.416; 150;  7.0;  20;1\n2002;06;02;2002.419; 161;  8.1;  18;1\n"
        "2002;06;03;2002.422;  -1; -1.0;   0;1\n",
        "2002;06;15;2002.452; 120; 70; 50;  5.0;  4.0;  3.0;  25;  20;  20;1\r\n"
        "2002;06;16;2002.455;  99; -1; -1;  5.0; -1.0; -1.0;  25;  -1;  -1;0\r\n",
        "\xEF\xBB\xBF"
        "2002;06;20;2002.466; 88.5; 6.0; 30;0\n\n2002;06;21;2002.468; 0; 0.0; 30;0\n",
        "2002;06;2002.458;  96.7;  9.8; 1021;1\n", // the monthly file
        "2002;06;15;2002.452;1e18;1.0;1;1\n",
    };
    return writeTexts(dir, seeds);
}

bool writeImportSeeds(const QString &dir) {
    constexpr char kPolar125 = 0x3e;   // (0x3e x 2) + 1 = 125 mm, polar entry
    constexpr char kHelio125 = '\xbe'; // the same in heliographic entry
    const std::pair<char, const char *> seeds[] = {
        {kPolar125, "# notes\nO;15.06.2002;1030;Jan Novák;Praha;1;2;3;0;0;0;0;\n"
                    "G;Dao;5;2;45.5;60;120;0;1;2;10;20;1.5;30;40;2\nF;10;20;30;40;50;60\n"},
        {kHelio125,
         "O;16.06.2002;905;Eva;Ondřejov;2;2;2;1;3;13;1;zvl\r\nG;Bxo;2;0;123.4;-12.5;4\r\n"},
        {kPolar125, "O;17.06.2002;2400;Jan;;1;1;1;0;0;0;0;\nG;Axx;1;0;s;;1\nG;Hsx;1;1;j;;2\n"},
        {kPolar125, "G;Dao;1\nO;31.02.2002;1200\nX;y\nO;18.06.2002;1200;;;;;;;;;;;;;;;\n"},
    };
    bool ok = true;
    int n = 0;
    for (const auto &[setup, text] : seeds)
        ok = writeFile(dir, QStringLiteral("seed-%1").arg(n++), QByteArray(1, setup) + text) && ok;
    return ok;
}

bool writeInstrumentSeeds(const QString &dir) {
    const char *seeds[] = {
        "Hv\xECzd\xE1rna\r\nRefraktor 80/1350\r\n80\r\n25 mm\r\n1350\r\nPraha\r\n",
        "a\nb\nc\n",
        "one\rtwo\rthree\r",
        "",
        "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n",
    };
    return writeTexts(dir, seeds);
}

bool writeSettingsSeeds(const QString &dir) {
    const char *seeds[] = {
        "[General]\nlanguage=en\n",
        "[General]\r\nlanguage = \"cs\"\r\n",
        "language=system\n[Other]\nlanguage=en\n",
        "",
    };
    return writeTexts(dir, seeds);
}

bool writeSheetCodeSeeds(const QString &dir) {
    const char *seeds[] = {
        "ORVANEK/1;21.06.2001;0830;125;0;0;A3",
        "ORVANEK/1;07.05.2001;0705;62.5;1;0;A4",
        "ORVANEK/1;29.02.2000;2359;83;1;1;A4",
        "https://example.org/sun",
    };
    return writeTexts(dir, seeds);
}

bool writeButterflySeeds(const QString &dir) {
    // Spot stream from byte 0, faculae from 15000 with their other ends 5000 bytes on;
    // 255 ends a column.
    QByteArray block(25000, '\0');
    block[0] = 1; // the file holds data
    const char spots[] = {char(128 + 15), char(128 - 20), char(255), char(128 + 5), char(255)};
    for (size_t i = 0; i < sizeof spots; ++i)
        block[qsizetype(1 + i)] = spots[i];
    const char faculae[] = {char(128 + 30), char(255), char(128 - 40), char(255)};
    for (size_t i = 0; i < sizeof faculae; ++i) {
        block[qsizetype(15000 + i)] = faculae[i];
        block[qsizetype(20000 + i)] = faculae[i] == char(255) ? char(255) : char(faculae[i] + 3);
    }
    return writeFile(dir, QStringLiteral("block"), block) &&
           writeFile(dir, QStringLiteral("short"), block.left(300)) &&
           writeFile(dir, QStringLiteral("empty"), QByteArray());
}

// fuzz_scan's images: width - 1, height - 1, flags, an R byte, grey levels.
QByteArray scanSeed(int width, int height, char flags, char radius, double ringPx) {
    QByteArray bytes;
    bytes.append(char(width - 1)).append(char(height - 1)).append(flags).append(radius);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double r = std::hypot(x - width / 2.0, y - height / 2.0);
            bytes.append(ringPx > 0 && std::abs(r - ringPx) < 1.5 ? char(40) : char(255));
        }
    return bytes;
}

bool writeScanSeeds(const QString &dir) {
    // A drawn circle with the moment and R 80 given, with R 1e-300, a strip and one pixel.
    return writeFile(dir, QStringLiteral("circle"), scanSeed(200, 200, 3, 79, 70)) &&
           writeFile(dir, QStringLiteral("tiny-r"), scanSeed(200, 200, 7, 0, 70)) &&
           writeFile(dir, QStringLiteral("strip"), scanSeed(256, 1, 0, 0, 0)) &&
           writeFile(dir, QStringLiteral("pixel"), scanSeed(1, 1, 0, 0, 0));
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const struct {
        const char *target;
        bool (*write)(const QString &);
    } targets[] = {
        {"records", writeRecordSeeds},
        {"dates", writeDateSeeds},
        {"silso", writeSilsoSeeds},
        {"import", writeImportSeeds},
        {"instrument", writeInstrumentSeeds},
        {"butterfly", writeButterflySeeds},
        {"sheetcode", writeSheetCodeSeeds},
        {"settings", writeSettingsSeeds},
        {"scan", writeScanSeeds},
    };
    for (const auto &t : targets) {
        const QString dir = out.filePath(QString::fromLatin1(t.target) + QStringLiteral("/seeds"));
        if (!QDir().mkpath(dir) || !t.write(dir)) {
            std::fprintf(stderr, "cannot write the seeds of %s\n", t.target);
            return 1;
        }
    }
    return 0;
}
