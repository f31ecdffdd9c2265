#include "views/drawing/drawingmodel.h"

#include "data/numberformat.h"
#include "entry/summary.h"
#include "solar/rounding.h"

#include <QCoreApplication>

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace orvanek {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

int roundInt(double value) {
    return static_cast<int>(roundHalfEven(value));
}

// Radius in pixels of the circle standing for a spot of stored area `area` (on the
// 125 mm scale); 0.3565 is the scale every drawing of the data set was made with.
int spotRadius(double area) {
    return roundInt(0.5 * std::sqrt(area * 0.3565));
}

AuxSpotMarker auxSpot(uint16_t position, uint16_t area, double drawingRadius, int orientX,
                      int orientY) {
    const PackedPosition p = unpackPosition(position);
    const double alpha = p.degrees * kRadPerDeg;
    // On the reference drawing, where the limb lies 250 px out: 2 px per mm.
    const int deltaMm = roundInt(p.millimetres * kReferenceRadiusMm / drawingRadius);
    AuxSpotMarker m;
    m.s = spotRadius(area * kReferenceRadiusMm / drawingRadius);
    m.x = roundInt(std::sin(alpha) * orientX * deltaMm * 2 + kDiskCentreX - m.s);
    m.y = roundInt(-std::cos(alpha) * orientY * deltaMm * 2 + kDiskCentreY - m.s);
    return m;
}

// A faculae vertex: whole degrees and twice the whole millimetres, scaled to the limb.
QPoint faculaVertex(uint16_t word, double drawingRadius, int orientX, int orientY) {
    const PackedPosition p = unpackPosition(word);
    const double alpha = p.degrees * kRadPerDeg;
    const double delta = 2.0 * p.millimetres;
    return {kDiskCentreX +
                roundInt(orientX * std::sin(alpha) * delta * kReferenceRadiusMm / drawingRadius),
            kDiskCentreY +
                roundInt(-orientY * std::cos(alpha) * delta * kReferenceRadiusMm / drawingRadius)};
}

// The outline of a field: vertices 1 and 2 always, 3..6 only where a distance was entered.
QPolygon faculaPolygon(const FaculaField &field, double drawingRadius, int orientX, int orientY) {
    QPolygon polygon;
    for (int k = 0; k < 6; ++k) {
        const uint16_t word = field.vertices[k];
        if (k >= 2 && unpackPosition(word).millimetres == 0)
            continue;
        polygon << faculaVertex(word, drawingRadius, orientX, orientY);
    }
    return polygon;
}

QString integerText(long long value) {
    return QString::number(value);
}

// Projects points of the heliographic grid for one moment and orientation; the sines and
// cosines of B0 and P are taken once, not for each of the 1800 points of a grid.
class GridProjector {
  public:
    GridProjector(const Ephemeris &e, int orientX, int orientY)
        : sinB0_(std::sin(e.B0 * kRadPerDeg)), cosB0_(std::cos(e.B0 * kRadPerDeg)),
          sinP_(std::sin(e.P * kRadPerDeg)), cosP_(std::cos(e.P * kRadPerDeg)), orientX_(orientX),
          orientY_(orientY) {}

    // phi, lambda given by their sines and cosines.
    QPoint project(double sinPhi, double cosPhi, double sinLam, double cosLam, int x0) const {
        const double xs = kDiskRadiusPx * cosPhi * sinLam;
        const double ys = kDiskRadiusPx * (sinPhi * cosB0_ - cosPhi * cosLam * sinB0_);
        return {x0 - roundInt(orientX_ * (xs * cosP_ - ys * sinP_)),
                kDiskCentreY - roundInt(orientY_ * (ys * cosP_ + xs * sinP_))};
    }
    QPoint project(double latitude, double lambda, int x0) const {
        return project(std::sin(latitude * kRadPerDeg), std::cos(latitude * kRadPerDeg),
                       std::sin(lambda * kRadPerDeg), std::cos(lambda * kRadPerDeg), x0);
    }

  private:
    double sinB0_, cosB0_, sinP_, cosP_;
    int orientX_, orientY_;
};

} // namespace

QPoint projectGridPoint(double latitude, double lambda, const Ephemeris &ephemeris, int orientX,
                        int orientY, int x0) {
    return GridProjector(ephemeris, orientX, orientY).project(latitude, lambda, x0);
}

std::vector<GroupMarker> groupMarkerLayout(const ObservationRecord &record, double drawingRadius,
                                           int orientX, int orientY) {
    std::vector<GroupMarker> markers;
    markers.reserve(static_cast<size_t>(record.usedGroups()));
    for (int i = 1; i <= record.usedGroups(); ++i) {
        const SunspotGroup &g = record.group(i);
        const double area = g.area + g.smallSpots * kSmallSpotArea / drawingRadius;
        GroupMarker m;
        m.r = spotRadius(roundHalfEven(area));
        const double theta = g.angle / 10.0 * kRadPerDeg;
        m.x = roundInt(orientX * std::sin(theta) * g.distance * 0.2 + kDiskCentreX - m.r);
        m.y = roundInt(-orientY * std::cos(theta) * g.distance * 0.2 + kDiskCentreY - m.r);
        markers.push_back(m);
    }
    return markers;
}

DrawingSettings drawingSettings(const ObservationStore &store, const DrawingState &state) {
    DrawingSettings settings;
    // Without a chosen setup there is no radius yet; the reference radius keeps the
    // arithmetic sound until the main window has asked for it.
    settings.drawingRadius = store.hasDrawingSetup() ? store.drawingRadius() : kReferenceRadiusMm;
    settings.heliographicEntry = store.heliographicEntry();
    settings.orientX = state.orientX;
    settings.orientY = state.orientY;
    settings.pivotYear = store.pivotYear();
    if (store.recordCount() > 0)
        settings.fallbackDate = store.dateOf(store.record(1));
    return settings;
}

QString drawingCaption(const QString &dateText) {
    return (QCoreApplication::translate("Drawing", "Zákres    ") + dateText).left(20);
}

QString timeOfDayText(uint16_t timeUT) {
    const int minutes = (timeUT / 100) * 60 + timeUT % 100;
    const int hours = (minutes / 60) % 24; // a time of day: 2400 is midnight again
    return QStringLiteral("%1:%2:00").arg(hours).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

std::optional<HeliographicPosition> readOutAt(QPoint point, const Ephemeris &ephemeris, int orientX,
                                              int orientY) {
    const double dx = (point.x() - kDiskCentreX) * orientX;
    const double dy = (kDiskCentreY - point.y()) * orientY;
    const double rho = std::sqrt(dx * dx + dy * dy);
    if (rho >= kDiskRadiusPx)
        return std::nullopt;
    // At the centre the angle means nothing; angle 0 reads the centre's coordinates.
    double theta = rho > 0 ? std::acos(dy / rho) / kRadPerDeg : 0.0;
    if (dx < 0)
        theta = 360 - theta;
    return polarToHeliographic(ephemeris, 5 * rho, 10 * theta);
}

QString readOutText(const HeliographicPosition &position) {
    return formatNumber(position.helioLongitude, "0.0").rightJustified(3) + QStringLiteral(" , ") +
           formatNumber(position.helioLatitude, "0.0").rightJustified(2);
}

DrawingModel buildDrawingModel(const ObservationRecord &record, const DrawingSettings &settings) {
    DrawingModel m;
    m.settings = settings;
    const double radius = settings.drawingRadius;
    const int ox = settings.orientX;
    const int oy = settings.orientY;

    const std::optional<CalendarDate> own = recordDate(record, settings.pivotYear);
    m.recordDateRead = own.has_value();
    m.date = own ? *own : settings.fallbackDate.value_or(CalendarDate{});
    m.ephemeris = solarEphemeris(m.date, record.timeUT);
    m.special = record.isSpecial();

    m.dateText = readText(record.dateText);
    m.observer = readText(record.observer);
    m.station = readText(record.station);
    m.rowValues[RowTime] = timeOfDayText(record.timeUT);
    m.rowValues[RowConditions] = integerText(record.conditions);
    m.rowValues[RowImageQuality] = integerText(record.imageQuality);
    m.rowValues[RowSeeingQuality] = integerText(record.seeingQuality);
    m.rowValues[RowRotation] = integerText(m.ephemeris.rotation);
    m.rowValues[RowL0] = formatNumber(m.ephemeris.L0, "##0.00");
    m.rowValues[RowB0] = formatNumber(m.ephemeris.B0, "##0.00");
    m.rowValues[RowP] = formatNumber(m.ephemeris.P, "##0.00");
    m.rowValues[RowCentralGroups] = integerText(record.centralGroups);
    m.rowValues[RowCentralSpots] = integerText(record.centralSpots);
    m.rowValues[RowCentralR] = integerText(record.centralR);
    m.rowValues[RowFaculaTotal] = integerText(record.faculaTotal);

    m.summary = computeSummary(record, m.ephemeris, radius);
    const RecordSummary &s = m.summary;
    m.indices[0] = {s.northGroups + s.southGroups, s.northGroups, s.southGroups};
    m.indices[1] = {s.northSpots + s.southSpots, s.northSpots, s.southSpots};
    m.indices[2] = {s.northR + s.southR, s.northR, s.southR};

    // The parallels are centred on x 279, the meridian on 280: the grid's established
    // placement, kept so that saved bitmaps of a drawing stay comparable pixel for pixel.
    const GridProjector grid(m.ephemeris, ox, oy);
    std::array<double, 181> sinLam;
    std::array<double, 181> cosLam;
    for (int lambda = -90; lambda <= 90; ++lambda) {
        sinLam[static_cast<size_t>(lambda + 90)] = std::sin(lambda * kRadPerDeg);
        cosLam[static_cast<size_t>(lambda + 90)] = std::cos(lambda * kRadPerDeg);
    }
    m.parallels.reserve(9);
    for (int latitude = -40; latitude <= 40; latitude += 10) {
        const double sinPhi = std::sin(latitude * kRadPerDeg);
        const double cosPhi = std::cos(latitude * kRadPerDeg);
        QPolygon line(181);
        for (size_t k = 0; k < 181; ++k)
            line[static_cast<qsizetype>(k)] =
                grid.project(sinPhi, cosPhi, sinLam[k], cosLam[k], kDiskCentreX - 1);
        m.parallels.push_back(std::move(line));
    }
    if (std::cos(m.ephemeris.L0 * kRadPerDeg) > 0) {
        const double sinL0 = std::sin(-m.ephemeris.L0 * kRadPerDeg);
        const double cosL0 = std::cos(-m.ephemeris.L0 * kRadPerDeg);
        m.meridian.resize(167);
        for (int latitude = -83; latitude <= 83; ++latitude)
            m.meridian[latitude + 83] =
                grid.project(std::sin(latitude * kRadPerDeg), std::cos(latitude * kRadPerDeg),
                             sinL0, cosL0, kDiskCentreX);
    }

    if (!settings.heliographicEntry) {
        m.faculae.reserve(static_cast<size_t>(record.usedFaculaFields()));
        for (int i = 1; i <= record.usedFaculaFields(); ++i)
            m.faculae.push_back(faculaPolygon(record.facula(i), radius, ox, oy));
    }

    const std::vector<GroupMarker> markers = groupMarkerLayout(record, radius, ox, oy);
    m.groups.reserve(markers.size());
    for (int i = 1; i <= record.usedGroups(); ++i) {
        const SunspotGroup &g = record.group(i);
        DrawingGroup d;
        d.slot = i;
        d.column = groupColumnX(i);
        d.marker = markers[static_cast<size_t>(i - 1)];
        d.position = polarToHeliographic(m.ephemeris, g.distance, g.angle);
        d.typeText = readText(g.type);
        d.spotCountText = integerText(g.spotCount);
        d.globalNumberText = integerText(g.globalGroupNumber);
        d.rotationNumberText = integerText(g.rotationGroupNumber);
        d.longitudeText = formatNumber(d.position.helioLongitude, "0.0");
        d.latitudeText = formatNumber(d.position.helioLatitude, "0.0");
        d.auxSpotsShown = g.aux1Position != 0 || g.aux2Position != 0;
        if (d.auxSpotsShown) {
            // Both spots are placed once either is set: an unset one has no area and
            // vanishes at the centre.
            d.auxSpots[0] = auxSpot(g.aux1Position, g.aux1Area, radius, ox, oy);
            d.auxSpots[1] = auxSpot(g.aux2Position, g.aux2Area, radius, ox, oy);
        }
        m.groups.push_back(d);
    }
    return m;
}

DrawingModel buildCheckedDrawingModel(const ObservationStore &store,
                                      const ObservationRecord &record,
                                      const DrawingSettings &settings) {
    DrawingModel m = buildDrawingModel(record, settings);
    markMisplacedGroups(m, checkRecordPositions(store, record).findings);
    return m;
}

void markMisplacedGroups(DrawingModel &m, const std::vector<PositionFinding> &findings) {
    for (const PositionFinding &f : findings) {
        // A pair accuses neither of its two sightings.
        if (f.pair || f.slot < 1 || f.slot > std::ssize(m.groups))
            continue;
        DrawingGroup &g = m.groups[static_cast<size_t>(f.slot - 1)];
        g.misplaced = true;
        // Where a group typed at the expected l, b would have been drawn: 2 px a mm of the
        // reference drawing, as the group circles are placed.
        const PolarPosition p =
            heliographicToPolar(m.ephemeris, static_cast<float>(f.expectedLatitude),
                                static_cast<float>(f.expectedLongitude), kReferenceRadiusMm);
        const double theta = p.polarAngle * kRadPerDeg;
        g.expectedCentre = {
            roundInt(m.settings.orientX * std::sin(theta) * p.polarDistance * 2 + kDiskCentreX),
            roundInt(-m.settings.orientY * std::cos(theta) * p.polarDistance * 2 + kDiskCentreY)};
    }
}

} // namespace orvanek
