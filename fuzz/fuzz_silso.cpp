// The input is a daily file downloaded from WDC-SILSO. It goes through what compare-silso
// and the comparison window do with it: the reader, the comparison with a small data set of
// June 2002 and the chart at the window's size, each checked against what it promises (the
// days in date order with sunspot numbers a day can have, messages of one short line, a
// chart whose value marks are counted and whose points lie in their panels). A loop that
// never ends is found by libFuzzer's timeout.

#include "fuzz/fuzzcheck.h"

#include "data/observationstore.h"
#include "views/silso/silsochart.h"
#include "views/silso/silsocomparison.h"
#include "views/silso/silsofile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace orvanek;

namespace {

// Longer than any message of the reader: a quoted field is cut after 40 characters.
constexpr qsizetype kLongestMessage = 400;

// Thirty days of June 2002, R from 0 to 87 in the north and the south.
const ObservationStore &june2002() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orvanek-fuzz-silso-XXXXXX"));
    static ObservationStore store(QDate(2026, 12, 8));
    static bool loaded = false;
    if (!loaded) {
        std::vector<ObservationRecord> records;
        for (int day = 1; day <= 30; ++day) {
            ObservationRecord r = zeroRecord();
            writeText(r.dateText, QStringLiteral("%1.06.2002").arg(day, 2, 10, QLatin1Char('0')));
            r.timeUT = 1200;
            r.summary.northR = static_cast<uint16_t>(day * 2);
            r.summary.southR = static_cast<uint16_t>(day % 7 == 0 ? 0 : 30 - day);
            records.push_back(r);
        }
        QFile file(dir.filePath(ObservationStore::dataFileName()));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(records.data()),
                   static_cast<qint64>(records.size() * sizeof(ObservationRecord)));
        file.close();
        FUZZ_CHECK(store.loadStore(dir.path()).ok);
        loaded = true;
    }
    return store;
}

bool possibleNumber(double value) {
    return value == -1 || (value >= 0 && value <= kHighestSunspotNumber);
}

bool finitePoint(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

void checkChart(const SilsoComparison &comparison) {
    const SilsoChart chart = silsoChart(comparison, QSizeF(900, 620));
    if (!chart.message.isEmpty())
        return;
    // At most 21 marks up each panel, a title, three legend texts and two labels a year.
    const size_t years = static_cast<size_t>(chart.monthCount / 12 + 2);
    FUZZ_CHECK(chart.gridLines.size() <= 2 * 21);
    FUZZ_CHECK(chart.labels.size() <= 2 * 21 + 4 + 2 * years);
    for (const QLineF &line : chart.gridLines)
        FUZZ_CHECK(finitePoint(line.p1()) && finitePoint(line.p2()));
    for (const QPointF &point : chart.kPoints) {
        FUZZ_CHECK(finitePoint(point));
        FUZZ_CHECK(point.y() >= chart.lower.top() - 1 && point.y() <= chart.lower.bottom() + 1);
    }
    for (const QPolygonF &run : chart.silsoCurve)
        for (const QPointF &point : run)
            FUZZ_CHECK(point.y() >= chart.upper.top() - 1 && point.y() <= chart.upper.bottom() + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const SilsoReadResult read = parseSilsoFile(text, QStringLiteral("SN_d_tot_V2.0.csv"));
    if (!read.file) {
        FUZZ_CHECK(!read.message.isEmpty());
        FUZZ_CHECK(read.message.size() <= kLongestMessage);
        FUZZ_CHECK(!read.message.contains(QLatin1Char('\n')) && !read.message.contains(QChar(0)));
        return 0;
    }
    const SilsoFile &file = *read.file;
    for (size_t i = 0; i < file.days.size(); ++i) {
        const SilsoDay &day = file.days[i];
        FUZZ_CHECK(day.total >= 0 && day.total <= kHighestSunspotNumber);
        FUZZ_CHECK(possibleNumber(day.north) && possibleNumber(day.south));
        FUZZ_CHECK(day.line >= 1 && day.line <= file.lines);
        if (i > 0)
            FUZZ_CHECK(file.days[i - 1].day < day.day);
    }
    const SilsoComparison comparison = compareWithSilso(june2002(), file);
    if (comparison.comparable()) {
        FUZZ_CHECK(!comparison.months.empty());
        for (const ComparisonRow &month : comparison.months)
            FUZZ_CHECK(month.year == 2002 && month.month == 6);
        checkChart(comparison);
    }
    return 0;
}
