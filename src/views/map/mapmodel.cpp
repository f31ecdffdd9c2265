#include "views/map/mapmodel.h"

#include "data/dates.h"
#include "data/numberformat.h"
#include "data/units.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "solar/rounding.h"
#include "solar/vectorstate.h"

#include <QCoreApplication>
#include <QDate>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace orvanek {

namespace {

// The mean rotation behind the stored rotation numbers: rotation N begins when
// 13.1985 d - 107.6 reaches 360 (N - 1811), d in days from 1.1.1989.
constexpr double kDegreesPerDay = 13.1985;
constexpr double kFirstRotationOffset = 107.6; // degrees at 1.1.1989 0h UT
constexpr double kRotationAt1989 = 651960;     // 1811 x 360
constexpr double kRotationLengthDays = 27.27;
constexpr double kHalfDay = 0.5;

constexpr int kQuarterLongitude = 90;
constexpr int kHalfLongitude = 180;
constexpr int kThreeQuarterLongitude = 270;
// Faculae are moved by a whole turn from here on: a record's central longitude of 271 and
// more, and longitudes of 271 and more seen late in the rotation.
constexpr int kWrapLongitude = 271;

constexpr int kLongitudeLabelStep = 180; // map units between "270", "180", "90", "0"
constexpr int kLongitudeLabelX = 12;
constexpr int kLongitudeLabelRisePx = 2;
constexpr int kGridStep = 20; // 10 degrees
constexpr int kLatitudeLabelX = 4;
constexpr int kLatitudeLabelRise = 5; // map units above its line
constexpr int kTitleX = 10;
constexpr int kTitleY = 10;
constexpr int kLabelColumnWidth = 30;
constexpr int kLabelColumnLeft = 5; // a label's left edge before its column's mark
constexpr int kLabelRowHeight = 30;
constexpr int kLatitudeLabelAbove = 12; // the b line above the l line of a row
constexpr int kRowCaptionX = 10;

// Font heights at s = 16, pixels.
constexpr int kTitleFont = 15;
constexpr int kCaptionFont = 11;
constexpr int kLabelFont = 8;
constexpr int kGridFontCell = 13;

// A spot of stored area A (125 mm scale) is a circle of round(sqrt(0.36 A) x s) / 64
// pixels, 0.15 sqrt(A) at s = 16.
constexpr double kAreaToRadiusSquared = 0.36;
constexpr int kRadiusDivisor = 64;

int fontPx(int height, int scale) {
    return height * scale / kMapScaleUnit;
}

int mapX(double longitude) {
    return static_cast<int>(roundHalfEven(kMapRight - kMapUnitsPerDegree * longitude));
}

int mapY(double latitude) {
    return static_cast<int>(roundHalfEven(kMapEquator - kMapUnitsPerDegree * latitude));
}

int spotRadius(double area, int scale) {
    return static_cast<int>(roundHalfEven(std::sqrt(area * kAreaToRadiusSquared) * scale)) /
           kRadiusDivisor;
}

// A packed auxiliary spot or faculae vertex: whole degrees and whole millimetres on the
// drawing of radius R, read on the 125 mm scale the conversion works in.
HeliographicPosition packedToHeliographic(const Ephemeris &e, uint16_t word, double drawingRadius) {
    const PackedPosition p = unpackPosition(word);
    return polarToHeliographic(e, p.millimetres * 10.0 * kReferenceRadiusMm / drawingRadius,
                               p.degrees * 10.0);
}

} // namespace

int faculaLongitudeOnMap(int l, int recordRotation, int centralLongitude, int n) {
    if (recordRotation == n - 1 && l < kQuarterLongitude && centralLongitude >= kWrapLongitude)
        l += 360;
    if (recordRotation == n - 1 && l < kHalfLongitude && centralLongitude < kHalfLongitude)
        l += 360;
    if (recordRotation == n && centralLongitude >= kWrapLongitude && l < kQuarterLongitude)
        l += 360;
    if (recordRotation == n && centralLongitude < kQuarterLongitude && l >= kWrapLongitude &&
        l <= 360)
        l -= 360;
    if (recordRotation == n + 1 && centralLongitude >= kWrapLongitude && l > kHalfLongitude)
        l -= 360;
    return l;
}

bool groupBelongsToMap(double l, double L0, int recordRotation, int n) {
    if (recordRotation == n - 1)
        return l > kThreeQuarterLongitude && L0 < kQuarterLongitude;
    if (recordRotation == n)
        return (l > kHalfLongitude && L0 > kHalfLongitude) ||
               (l < kHalfLongitude && L0 < kThreeQuarterLongitude);
    if (recordRotation == n + 1)
        return l < kQuarterLongitude;
    return false;
}

namespace {

// Sums of one circle over the drawings of a rotation.
struct CircleSums {
    long long x = 0;
    long long y = 0;
    long long radius = 0;
    int count = 0;

    void add(int px, int py, int r) {
        x += px;
        y += py;
        radius += r;
        ++count;
    }
    MapCircle mean() const {
        return {QPoint(static_cast<int>(x / count), static_cast<int>(y / count)),
                static_cast<int>(radius / count)};
    }
};

// `mapGroupSums` and `mapGroupPositions` of one rotation group number.
struct GroupSums {
    CircleSums group;
    std::array<CircleSums, 2> aux;
    float sumLongitude = 0; // the means are single precision, as the table shows them
    float sumLatitude = 0;
    int positions = 0;
};

QString labelText(float value) {
    return formatNumber(value, "0.0").rightJustified(3);
}

} // namespace

std::vector<RotationItem> rotationList(const ObservationStore &store) {
    std::vector<RotationItem> items;
    int previous = 0; // the rotation of the last observation met
    for (int i = 1; i <= store.recordCount(); ++i) {
        const ObservationRecord &record = store.record(i);
        if (isPlaceholderRecord(record))
            continue;
        if (items.empty() || record.rotation > previous)
            items.push_back({record.rotation, i});
        previous = record.rotation;
    }
    return items;
}

int rotationItemOf(const std::vector<RotationItem> &items, int rotation) {
    for (size_t j = 0; j < items.size(); ++j)
        if (items[j].rotation == rotation)
            return static_cast<int>(j);
    return -1;
}

RecordRange rotationRecordRange(const ObservationStore &store, int rotation) {
    const int n = rotation;
    RecordRange range;
    for (int i = 1; i <= store.recordCount() && range.empty(); ++i) {
        const ObservationRecord &r = store.record(i);
        if (isPlaceholderRecord(r))
            continue;
        if (r.rotation == n || (r.rotation == n - 1 && r.centralLongitude < kQuarterLongitude))
            range.first = i;
    }
    if (range.empty())
        return range;
    range.last = range.first;
    // A placeholder among the drawings neither belongs nor ends the range.
    for (int i = range.first + 1; i <= store.recordCount(); ++i) {
        const ObservationRecord &r = store.record(i);
        if (isPlaceholderRecord(r))
            continue;
        const bool belongs = r.rotation == n - 1 || r.rotation == n ||
                             (r.rotation == n + 1 && r.centralLongitude >= kThreeQuarterLongitude);
        if (!belongs)
            break;
        range.last = i;
    }
    return range;
}

RotationDates rotationDates(int rotation) {
    const double startDays =
        (rotation * 360.0 - kRotationAt1989 + kFirstRotationOffset) / kDegreesPerDay + kHalfDay;
    const QDate origin(1989, 1, 1);
    const auto day = [&](double days) {
        return toCalendarDate(origin.addDays(static_cast<qint64>(std::floor(days))));
    };
    return {day(startDays), day(startDays + kRotationLengthDays)};
}

QString mapCaption(int rotation) {
    const RotationDates d = rotationDates(rotation);
    return QCoreApplication::translate("Map", "Mapa   ") + shortDate(d.start) +
           QStringLiteral(" - ") + shortDate(d.end);
}

namespace {
// The geometry of scale s on a surface `width` pixels wide: the margin beyond 0 degrees runs
// to the surface's right edge, in map units (width x 16 / s, rounded up), and never ends
// before the map does.
MapGeometry mapGeometry(int scale, int width) {
    const int rightEdge =
        scale > 0 ? (width * kMapScaleUnit + scale - 1) / scale : kMapWidth; // ceil
    return {scale, std::max(kMapWidth, rightEdge)};
}
} // namespace

MapGeometry screenMapGeometry(int clientWidth) {
    return mapGeometry(clientWidth * kMapScaleUnit / kMapWidth, clientWidth);
}

MapGeometry pageMapGeometry(int pageWidth) {
    constexpr int kPageWidthPerScale = 48;
    return mapGeometry(pageWidth / kPageWidthPerScale, pageWidth);
}

MapSettings mapSettings(const ObservationStore &store, int rotation, const MapGeometry &geometry) {
    MapSettings s;
    s.rotation = rotation;
    s.geometry = geometry;
    s.drawingRadius = store.drawingRadius() > 0 ? store.drawingRadius() : kReferenceRadiusMm;
    s.pivotYear = store.pivotYear();
    return s;
}

MapFrame mapFrame(int scale) {
    MapFrame f;
    for (int k = 2; k <= 20; ++k)
        f.grid.emplace_back(kMapLeft, kGridStep * k, kMapRight, kGridStep * k);
    for (int k = 1; k <= 37; ++k)
        f.grid.emplace_back(kGridStep * k, kMapTop, kGridStep * k, kMapBottom);
    for (int k = 1; k <= 4; ++k)
        f.longitudeLabels.push_back(
            {QPoint(kLongitudeLabelStep * k + kLongitudeLabelX, kLabelRowTop),
             QString::number(360 - 90 * k), fontPx(kGridFontCell, scale), true,
             kLongitudeLabelRisePx});
    for (int k = 2; k <= 20; ++k)
        f.latitudeLabels.push_back({QPoint(kLatitudeLabelX, kGridStep * k - kLatitudeLabelRise),
                                    QString::number((11 - k) * 10), fontPx(kCaptionFont, scale)});
    return f;
}

MapModel buildMapModel(const ObservationStore &store, const MapSettings &settings) {
    clearUpperVectorState(); // one conversion per group and vertex follows
    MapModel m;
    m.settings = settings;
    const int n = settings.rotation;
    const int scale = settings.geometry.scale;
    const double radius = settings.drawingRadius;
    m.caption = mapCaption(n);
    m.dates = rotationDates(n);
    m.range = rotationRecordRange(store, n);

    std::array<GroupSums, kRotationGroups + 1> sums{}; // entry k for group number k
    for (int i = m.range.first; !m.range.empty() && i <= m.range.last; ++i) {
        const ObservationRecord &record = store.record(i);
        if (record.isSpecial())
            continue;
        // A record whose date does not read has no moment for the Sun's orientation.
        const std::optional<CalendarDate> date = recordDate(record, settings.pivotYear);
        if (!date)
            continue;
        const Ephemeris e = solarEphemeris(*date, record.timeUT);
        const int recordRotation = record.rotation;

        const bool faculaeFilled = recordRotation == n - 1 || recordRotation == n ||
                                   (recordRotation == n + 1 && e.L0 > kThreeQuarterLongitude);
        for (int k = 1; faculaeFilled && k <= record.usedFaculaFields(); ++k) {
            QPolygon outline;
            for (uint16_t vertex : record.facula(k).vertices) {
                if (vertex == 0)
                    continue;
                const HeliographicPosition h = packedToHeliographic(e, vertex, radius);
                const int l =
                    faculaLongitudeOnMap(static_cast<int>(roundHalfEven(h.helioLongitude)),
                                         recordRotation, record.centralLongitude, n);
                outline << QPoint(kMapRight - kMapUnitsPerDegree * l, mapY(h.helioLatitude));
            }
            if (!outline.isEmpty())
                m.faculae.push_back(outline);
        }

        for (int k = 1; k <= record.usedGroups(); ++k) {
            const SunspotGroup &g = record.group(k);
            // Numbers outside 1..70 have no place in the table: 0 marks a group the
            // observer did not number.
            if (g.rotationGroupNumber < 1 || g.rotationGroupNumber > kRotationGroups)
                continue;
            const HeliographicPosition h = polarToHeliographic(e, g.distance, g.angle);
            if (!groupBelongsToMap(h.helioLongitude, e.L0, recordRotation, n))
                continue;
            GroupSums &s = sums[g.rotationGroupNumber];
            const double area = g.area + g.smallSpots * kSmallSpotArea / radius;
            s.group.add(mapX(h.helioLongitude), mapY(h.helioLatitude),
                        std::max(1, spotRadius(roundHalfEven(area), scale)));
            s.sumLongitude += static_cast<float>(h.helioLongitude);
            s.sumLatitude += static_cast<float>(h.helioLatitude);
            ++s.positions;
            const std::array<std::pair<uint16_t, uint16_t>, 2> aux = {
                {{g.aux1Position, g.aux1Area}, {g.aux2Position, g.aux2Area}}};
            for (size_t a = 0; a < aux.size(); ++a) {
                if (aux[a].first == 0)
                    continue;
                const HeliographicPosition p = packedToHeliographic(e, aux[a].first, radius);
                s.aux[a].add(mapX(p.helioLongitude), mapY(p.helioLatitude),
                             spotRadius(aux[a].second, scale));
            }
        }
    }

    for (int k = 1; k <= kRotationGroups; ++k) {
        const GroupSums &s = sums[static_cast<size_t>(k)];
        if (s.group.count == 0)
            continue;
        MapGroup group;
        group.number = k;
        group.count = s.group.count;
        group.circle = s.group.mean();
        for (const CircleSums &aux : s.aux)
            if (aux.count > 0)
                group.auxSpots.push_back(aux.mean());
        m.groups.push_back(group);

        MapLabel label;
        label.group = k;
        label.count = s.positions;
        label.meanLongitude = s.sumLongitude / static_cast<float>(s.positions);
        label.meanLatitude = s.sumLatitude / static_cast<float>(s.positions);
        m.labels.push_back(label);
    }
    // Left to right as on the chart; equal longitudes by decreasing number.
    std::stable_sort(m.labels.begin(), m.labels.end(), [](const MapLabel &a, const MapLabel &b) {
        if (a.meanLongitude != b.meanLongitude)
            return a.meanLongitude > b.meanLongitude;
        return a.group > b.group;
    });

    // Rows of 24 columns under the chart; the first row gives up its 24th place, as the
    // row breaks before every 24th label. Every row starts with its captions "b" and "l".
    const int labelFont = fontPx(kLabelFont, scale);
    const int captionFont = fontPx(kCaptionFont, scale);
    const auto addRowCaptions = [&](int row) {
        m.rowCaptions.push_back(
            {QPoint(kRowCaptionX, kLabelRowTop + kLabelRowHeight * row - kLatitudeLabelAbove),
             QStringLiteral("b"), captionFont});
        m.rowCaptions.push_back({QPoint(kRowCaptionX, kLabelRowTop + kLabelRowHeight * row),
                                 QStringLiteral("l"), captionFont});
    };
    int row = 1;
    int column = 1;
    addRowCaptions(row);
    for (size_t i = 0; i < m.labels.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (number % kLabelsPerRow == 0) {
            column = 1;
            ++row;
            addRowCaptions(row);
        }
        MapLabel &label = m.labels[i];
        const int x = kLabelColumnWidth * column - kLabelColumnLeft;
        const int y = kLabelRowTop + kLabelRowHeight * row;
        label.latitude = {QPoint(x, y - kLatitudeLabelAbove), labelText(label.meanLatitude),
                          labelFont};
        label.longitude = {QPoint(x, y), labelText(label.meanLongitude), labelFont};
        ++column;
    }

    m.margins = {QRect(QPoint(0, 1), QPoint(kMapLeft - 1, kMapBottom)),
                 QRect(QPoint(kMapRight + 1, 1), QPoint(settings.geometry.rightEdge, kMapBottom))};
    m.title = {QPoint(kTitleX, kTitleY),
               QCoreApplication::translate("Map", "Číslo rotace  ") + QString::number(n),
               fontPx(kTitleFont, scale)};
    return m;
}

std::vector<MapGroupRow> mapGroupRows(const MapModel &model) {
    std::vector<MapGroupRow> rows;
    rows.reserve(model.labels.size());
    for (const MapLabel &label : model.labels)
        rows.push_back({label.group, label.meanLatitude, label.meanLongitude, label.count});
    return rows;
}

const std::array<MapGroupColumn, 4> &mapGroupColumns() {
    static const std::array<MapGroupColumn, 4> columns = {{
        {"group", [](const MapGroupRow &r) { return QString::number(r.group); }},
        {"meanLatitude",
         [](const MapGroupRow &r) { return QString::number(r.meanLatitude, 'f', 4); }},
        {"meanLongitude",
         [](const MapGroupRow &r) { return QString::number(r.meanLongitude, 'f', 4); }},
        {"count", [](const MapGroupRow &r) { return QString::number(r.count); }},
    }};
    return columns;
}

QStringList mapGroupHeader() {
    QStringList header;
    for (const MapGroupColumn &c : mapGroupColumns())
        header << QString::fromLatin1(c.name);
    return header;
}

QStringList mapGroupFields(const MapGroupRow &row) {
    QStringList fields;
    for (const MapGroupColumn &c : mapGroupColumns())
        fields << c.text(row);
    return fields;
}

} // namespace orvanek
