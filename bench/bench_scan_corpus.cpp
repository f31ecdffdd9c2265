// The spot finder over the corpus of real-looking drawings (scancorpus.h): for each case the
// spots drawn / found / missed / not drawn, the groups drawn / proposed, the worst error of a
// spot's place (mm on the drawing) and of its area (from 1 mm² up), and the time of
// registration and spots; then a summary against the goals, and the time of a 300-dpi A4
// scan as a benchmark. `--corpus-only` prints the table alone, `--save DIR` writes the images,
// `--seed N` draws other drawings of the same kinds (a check on drawings not tuned on).
//
// A drawn spot is found when a found spot lies within its radius and 1 mm of its centre;
// found spots matched to no drawn one are "not drawn". A case's groups are exact when every
// drawn group is one proposed group of its own and nothing else is proposed.

#include "bench/scancorpus.h"
#include "scan/scanregistration.h"
#include "scan/scanspots.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageReader>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

namespace {

using namespace orvanek;
using namespace orvanek::bench;

constexpr double kMatchSlackMm = 1;
constexpr double kLeastRequiredMm2 = 0.3; // every spot this large must be found
constexpr double kLeastMeasuredMm2 = 1;   // areas within 15 % from this size up

ScanOptions optionsOf(const CorpusCase &c, const CorpusDrawing &d) {
    ScanOptions o;
    if (c.plain) {
        o.date = d.date;
        o.timeUT = d.timeUT;
        o.radiusMm = d.radiusMm;
        o.northAngleDeg = d.northAngleDeg;
    }
    return o;
}

struct Outcome {
    int drawn = 0, found = 0, missed = 0, notDrawn = 0;
    int groupsDrawn = 0, groupsProposed = 0;
    bool exactGroups = false;
    bool registered = false;
    double worstPlaceMm = 0;
    double worstFrameMm = 0;  // the registration alone: points of the disk placed back
    double worstAreaPart = 0; // |found / drawn - 1|
    double ms = 0;
};

Outcome evaluate(const CorpusCase &c, const CorpusDrawing &d) {
    Outcome o;
    QElapsedTimer timer;
    timer.start();
    ScanRegistration reg = registerScan(d.image, optionsOf(c, d));
    // A code the scan cannot read: the observer gives the moment and R, as asked.
    if (reg.codeState == CodeState::Unreadable) {
        ScanOptions given;
        given.date = d.date;
        given.timeUT = d.timeUT;
        given.radiusMm = d.radiusMm;
        applyScanOptions(reg, given);
    }
    std::vector<MarkTraits> traits;
    std::vector<FoundSpot> found = findSpots(d.image, reg, &traits);
    if (reg.hasMoment())
        groupSpots(found, reg.frame, solarEphemeris(*reg.date, *reg.timeUT));
    o.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    o.registered = reg.registered();
    if (o.registered)
        for (double y = -0.9; y <= 0.91; y += 0.15)
            for (double x = -0.9; x <= 0.91; x += 0.15) {
                if (x * x + y * y > 0.81)
                    continue;
                const QPointF mm = QPointF(x, y) * d.radiusMm;
                o.worstFrameMm =
                    std::max(o.worstFrameMm,
                             QLineF(sheetFromImage(reg.frame, d.drawingToImage(mm)), mm).length());
            }
    o.drawn = static_cast<int>(d.spots.size());
    o.found = static_cast<int>(found.size());
    o.groupsDrawn = d.groups;
    std::set<int> proposed;
    for (const FoundSpot &s : found)
        proposed.insert(s.group);
    o.groupsProposed = static_cast<int>(proposed.size());
    // Each drawn spot takes the nearest found spot within reach.
    std::vector<bool> taken(found.size(), false);
    std::map<int, std::set<int>> groupsOfDrawn;
    std::map<int, std::set<int>> drawnOfGroup;
    for (const CorpusSpot &s : d.spots) {
        int best = -1;
        double bestMm = s.radiusMm + kMatchSlackMm;
        for (size_t i = 0; i < found.size(); ++i) {
            if (taken[i])
                continue;
            const QPointF mm = sheetFromImage(reg.frame, found[i].pixel);
            const double off = QLineF(mm, s.mm).length();
            if (off <= bestMm) {
                bestMm = off;
                best = static_cast<int>(i);
            }
        }
        if (best < 0) {
            if (s.areaMm2 >= kLeastRequiredMm2)
                ++o.missed;
            continue;
        }
        taken[static_cast<size_t>(best)] = true;
        const FoundSpot &f = found[static_cast<size_t>(best)];
        if (s.areaMm2 >= kLeastRequiredMm2)
            o.worstPlaceMm = std::max(o.worstPlaceMm, bestMm);
        if (s.areaMm2 >= kLeastMeasuredMm2)
            o.worstAreaPart = std::max(o.worstAreaPart, std::abs(f.areaMm2 / s.areaMm2 - 1));
        groupsOfDrawn[s.group].insert(f.group);
        drawnOfGroup[f.group].insert(s.group);
    }
    // The traits of every mark that reached the finder's last judgement, with whether it was
    // drawn, for fitting that judgement (fit_writing).
    if (qEnvironmentVariableIsSet("ORVANEK_CORPUS_TRAITS"))
        for (const MarkTraits &t : traits) {
            // A spot kept is drawn when it was matched; one taken for writing when a drawn
            // spot lies within reach of it.
            bool drawn = false;
            for (size_t i = 0; i < found.size(); ++i)
                drawn = drawn || (taken[i] && found[i].pixel == t.pixel);
            for (const CorpusSpot &s : d.spots)
                drawn = drawn ||
                        (t.writing && QLineF(sheetFromImage(reg.frame, t.pixel), s.mm).length() <=
                                          s.radiusMm + kMatchSlackMm);
            std::printf("traits %d", drawn ? 1 : 0);
            for (double v : t.values)
                std::printf(" %.5g", v);
            std::printf(" | %s%s\n", qPrintable(c.name), t.writing ? " (writing)" : "");
        }
    const bool detail = qEnvironmentVariableIsSet("ORVANEK_CORPUS_DETAIL");
    if (detail)
        std::printf("  %s:\n", qPrintable(c.name));
    for (size_t i = 0; i < found.size(); ++i) {
        o.notDrawn += taken[i] ? 0 : 1;
        if (detail && !taken[i]) {
            const QPointF mm = sheetFromImage(reg.frame, found[i].pixel);
            std::printf("    not drawn: %.1f %.1f mm (px %.0f %.0f), %.2f mm²%s\n", mm.x(), mm.y(),
                        found[i].pixel.x(), found[i].pixel.y(), found[i].areaMm2,
                        found[i].penumbra ? ", penumbra" : "");
        }
    }
    if (detail)
        for (const CorpusSpot &s : d.spots) {
            double best = 1e9;
            const FoundSpot *nearest = nullptr;
            for (const FoundSpot &f : found) {
                const double off = QLineF(sheetFromImage(reg.frame, f.pixel), s.mm).length();
                if (off < best) {
                    best = off;
                    nearest = &f;
                }
            }
            const QPointF px = imageFromSheet(reg.frame, s.mm);
            std::printf("    drawn %.1f %.1f mm (px %.0f %.0f), %.2f mm²%s: nearest %.2f mm off, "
                        "%.2f mm²%s\n",
                        s.mm.x(), s.mm.y(), px.x(), px.y(), s.areaMm2, s.outline ? " outline" : "",
                        best, nearest ? nearest->areaMm2 : 0.0,
                        nearest && nearest->penumbra ? " penumbra" : "");
        }
    o.exactGroups = o.notDrawn == 0 && o.groupsProposed == o.groupsDrawn &&
                    static_cast<int>(groupsOfDrawn.size()) == o.groupsDrawn;
    for (const auto &[g, into] : groupsOfDrawn)
        o.exactGroups = o.exactGroups && into.size() == 1;
    for (const auto &[g, from] : drawnOfGroup)
        o.exactGroups = o.exactGroups && from.size() == 1;
    return o;
}

void printCorpusTable(const QString &saveDir, uint32_t salt) {
    std::printf("%-28s %5s %5s %5s %6s %8s %7s %6s %8s %8s %7s %7s\n", "case", "drawn", "found",
                "miss", "!drawn", "groups", "exact", "reg", "frameMm", "placeMm", "area%", "ms");
    int blankCases = 0, blankClean = 0, drawnCases = 0, exact = 0, missed = 0, notDrawn = 0;
    int placeOk = 0, areaOk = 0;
    const QString only = qEnvironmentVariable("ORVANEK_CORPUS_CASE");
    for (const CorpusCase &c : scanCorpus(salt)) {
        if (!only.isEmpty() && !c.name.contains(only))
            continue;
        const CorpusDrawing d = makeCorpusDrawing(c);
        if (!saveDir.isEmpty())
            d.image.save(QDir(saveDir).filePath(QString(c.name).replace(u' ', u'_') + ".png"));
        const Outcome o = evaluate(c, d);
        std::printf("%-28s %5d %5d %5d %6d %4d/%-3d %7s %6s %8.2f %8.2f %7.1f %7.0f\n",
                    qPrintable(c.name), o.drawn, o.found, o.missed, o.notDrawn, o.groupsDrawn,
                    o.groupsProposed, c.blank ? "-" : (o.exactGroups ? "yes" : "no"),
                    o.registered ? "yes" : "NO", o.worstFrameMm, o.worstPlaceMm,
                    100 * o.worstAreaPart, o.ms);
        std::fflush(stdout);
        if (c.blank) {
            ++blankCases;
            blankClean += o.found == 0 ? 1 : 0;
        } else {
            ++drawnCases;
            exact += o.exactGroups ? 1 : 0;
            placeOk += o.worstPlaceMm <= 0.3 ? 1 : 0;
            areaOk += o.worstAreaPart <= 0.15 ? 1 : 0;
        }
        missed += o.missed;
        notDrawn += o.notDrawn;
    }
    std::printf("\nblank pages without a spot: %d of %d\n", blankClean, blankCases);
    std::printf("drawings with exactly the drawn groups: %d of %d\n", exact, drawnCases);
    std::printf("spots of %.1f mm² or more missed: %d; spots not drawn: %d\n", kLeastRequiredMm2,
                missed, notDrawn);
    std::printf("drawings with every place within 0.3 mm: %d of %d; every area within 15 %%: "
                "%d of %d\n\n",
                placeOk, drawnCases, areaOk, drawnCases);
}

// A 300-dpi A4 scan of the sheet with pencil: registration and spots.
void BM_CorpusSheet300(benchmark::State &state) {
    CorpusCase chosen;
    for (const CorpusCase &c : scanCorpus())
        if (c.name.startsWith(QStringLiteral("sheet 300 grey")))
            chosen = c;
    const CorpusDrawing d = makeCorpusDrawing(chosen);
    size_t found = 0;
    for (auto _ : state) {
        const ScanRegistration reg = registerScan(d.image, ScanOptions{});
        std::vector<FoundSpot> spots = findSpots(d.image, reg);
        if (reg.hasMoment())
            groupSpots(spots, reg.frame, solarEphemeris(*reg.date, *reg.timeUT));
        found = spots.size();
        benchmark::DoNotOptimize(spots);
    }
    state.counters["spots"] = static_cast<double>(found);
    state.counters["drawn"] = static_cast<double>(d.spots.size());
}
BENCHMARK(BM_CorpusSheet300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // A 600-dpi A4 page read back from JPEG is larger than Qt reads by default.
    QImageReader::setAllocationLimit(1024);
    bool corpusOnly = false;
    QString saveDir;
    uint32_t salt = 0;
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--corpus-only")
            corpusOnly = true;
        else if (a == "--seed" && i + 1 < argc)
            salt = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--save" && i + 1 < argc)
            saveDir = QString::fromLocal8Bit(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    printCorpusTable(saveDir, salt);
    if (corpusOnly)
        return 0;
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
