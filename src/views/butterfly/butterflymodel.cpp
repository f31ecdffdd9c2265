#include "views/butterfly/butterflymodel.h"

#include "data/units.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "solar/vectorstate.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <thread>

namespace orvanek {

namespace {

// Motfakul.dat: the spot stream, the faculae stream and the faculae strokes' other ends.
constexpr int kSpotStreamBegin = 0;
constexpr int kSpotStreamEnd = 15000;
constexpr int kFaculaStreamBegin = 15000;
constexpr int kFaculaStreamEnd = 20000;
constexpr int kFaculaOtherEndOffset = 5000; // bytes from a stroke's first end to its second
constexpr uint8_t kColumnSeparator = 255;
constexpr int kLatitudeOffset = 128;  // a stored latitude is whole degrees + 128
constexpr int kLowestFaculaByte = 31; // faculae ends outside 31..219 are not drawn
constexpr int kHighestFaculaByte = 219;
// Spot bytes further than this from the equator (degrees) are no latitude: the upper bound
// keeps out codes near the separator, the lower one the zero bytes that pad a short stream.
constexpr int kSupplementaryLatitudeLimit = 95;
constexpr int kSupplementarySpotHalfLength = 2; // pixels above and below the latitude
constexpr int kSupplementaryColumnX = 49;       // column c at xs c + 49

constexpr int kDegreesPerLatitudeLine = 10;
constexpr int kDefaultLatitudeLines = 9;       // up to 90 degrees
constexpr int kLatitudeLineCountFromScale = 4; // above this scale the window decides
constexpr int kLatitudeLabelRise = 5;          // pixels: a label's top above its line
constexpr int kRotationLabelLeft = 15;         // pixels left of its line
constexpr int kRotationLabelDrop = 10;         // pixels below the frame
constexpr int kGroupBoxRise = 2;               // pixels: a box's top above its latitude
constexpr int kPrintedMarginRight = 5;         // window pixels left out of the printed copy

// Halves of signed numbers go down, so that the south stays below the equator.
int floorHalf(int value) {
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

int floorToHundred(int value) {
    return value >= 0 ? value / 100 * 100 : -((-value + 99) / 100 * 100);
}

uint8_t byteAt(const QByteArray &block, int position) {
    return static_cast<uint8_t>(block.at(position));
}

// The latitude of a packed faculae vertex. The millimetres were measured on the drawing of
// radius R; the conversion reads distances on the 125 mm scale.
double vertexLatitude(const Ephemeris &e, uint16_t word, double drawingRadius,
                      double *longitude = nullptr) {
    const PackedPosition p = unpackPosition(word);
    const double distance = p.millimetres * 10.0 * kReferenceRadiusMm / drawingRadius;
    const HeliographicPosition h = polarToHeliographic(e, distance, p.degrees * 10.0);
    if (longitude)
        *longitude = h.helioLongitude;
    return h.helioLatitude;
}

// Remembers the places of the boxes placed: all boxes of one diagram have one size, and a
// group seen on many drawings of a rotation gives the same box again and again; painting
// it once looks the same and halves the painter's work. A box is known by its column and
// top, one bit each over the columns and rows it can take.
class BoxPlaces {
  public:
    BoxPlaces(int firstColumn, int lastColumn, int topmost, int lowest)
        : firstColumn_(firstColumn), topmost_(topmost) {
        const long long columns = static_cast<long long>(lastColumn) - firstColumn + 1;
        rows_ = static_cast<long long>(lowest) - topmost + 1;
        // Data far outside the diagram (a damaged rotation) would need too many bits: then
        // every box is kept.
        constexpr long long kMaxBits = 1LL << 26;
        if (columns > 0 && rows_ > 0 && columns * rows_ <= kMaxBits) {
            columns_ = columns;
            seen_.resize(static_cast<size_t>((columns * rows_ + 63) / 64));
        }
    }
    // True the first time a box stands at this column and top.
    bool firstAt(int column, int top) {
        const long long c = static_cast<long long>(column) - firstColumn_;
        const long long r = static_cast<long long>(top) - topmost_;
        if (c < 0 || c >= columns_ || r < 0 || r >= rows_)
            return true;
        const auto bit = static_cast<size_t>(c * rows_ + r);
        uint64_t &word = seen_[bit / 64];
        const uint64_t mask = uint64_t(1) << (bit % 64);
        if (word & mask)
            return false;
        word |= mask;
        return true;
    }

  private:
    int firstColumn_;
    int topmost_;
    long long columns_ = 0;
    long long rows_ = 0;
    std::vector<uint64_t> seen_;
};

} // namespace

ButterflyState withLatitudeScale(ButterflyState state, int digit) {
    if (digit >= kMinLatitudeScale && digit <= kMaxLatitudeScale)
        state.latitudeScale = digit;
    return state;
}

ButterflyState largerLatitudeScale(ButterflyState state) {
    state.latitudeScale = std::min(kMaxLatitudeScale, state.latitudeScale + 1);
    return state;
}

ButterflyState smallerLatitudeScale(ButterflyState state) {
    state.latitudeScale = std::max(kMinLatitudeScale, state.latitudeScale - 1);
    return state;
}

ButterflyState widerRotations(ButterflyState state) {
    state.rotationWidth = std::clamp(state.rotationWidth * 2, kMinRotationWidth, kMaxRotationWidth);
    return state;
}

ButterflyState narrowerRotations(ButterflyState state) {
    state.rotationWidth = std::clamp(state.rotationWidth / 2, kMinRotationWidth, kMaxRotationWidth);
    return state;
}

int horizontalScrollRange(const ButterflyState &state) {
    return state.rotationWidth * 1000 + 1000;
}

QString butterflyCaption(ButterflyMode mode) {
    switch (mode) {
    case ButterflyMode::Faculae:
        return QCoreApplication::translate("Butterfly", "Motýlek   Fakule");
    case ButterflyMode::SpotsAndFaculae:
        return QCoreApplication::translate("Butterfly", "Motýlek   Skvrny a fakule");
    case ButterflyMode::Spots:
        break;
    }
    return QCoreApplication::translate("Butterfly", "Motýlek   Skvrny");
}

bool hasSupplementaryData(const QByteArray &block) {
    return !block.isEmpty() && block.at(0) != 0;
}

ButterflySettings butterflySettings(const ObservationStore &store, const ButterflyState &state) {
    ButterflySettings s;
    s.state = state;
    s.supplementaryShown = state.supplementaryOn && hasSupplementaryData(store.butterflyBlock());
    s.drawingRadius = store.drawingRadius() > 0 ? store.drawingRadius() : kReferenceRadiusMm;
    s.pivotYear = store.pivotYear();
    if (s.supplementaryShown) {
        s.baseRotation = kSupplementaryBaseRotation;
    } else if (store.recordCount() > 0) {
        const ObservationRecord &first = store.record(1);
        const std::optional<CalendarDate> date = store.dateOf(first);
        const int rotation = date ? solarEphemeris(*date, store.currentRecord().timeUT).rotation
                                  : static_cast<int>(first.rotation);
        s.baseRotation = floorToHundred(rotation);
    }
    return s;
}

SupplementaryStrokes supplementaryStrokes(const QByteArray &block, const ButterflyState &state) {
    SupplementaryStrokes strokes;
    const int vs = state.latitudeScale;
    const int xs = state.rotationWidth;
    const int size = static_cast<int>(block.size());

    // A stream that ends before its last separator stops at the end of its own region
    // rather than running on into the next one.
    int column = 1;
    const int faculaeEnd = std::min(kFaculaStreamEnd, size - kFaculaOtherEndOffset);
    for (int p = kFaculaStreamBegin; column <= kSupplementaryColumns && p < faculaeEnd; ++p) {
        const int a = byteAt(block, p);
        if (a == kColumnSeparator) {
            ++column;
            continue;
        }
        const int b = byteAt(block, p + kFaculaOtherEndOffset);
        if (a >= kLowestFaculaByte && a <= kHighestFaculaByte && b >= kLowestFaculaByte &&
            b <= kHighestFaculaByte)
            strokes.faculae.push_back({xs * column + kSupplementaryColumnX,
                                       -(a - kLatitudeOffset) * vs, -(b - kLatitudeOffset) * vs});
    }

    column = 1;
    const int spotsEnd = std::min(kSpotStreamEnd, size);
    for (int p = kSpotStreamBegin; column <= kSupplementaryColumns && p < spotsEnd; ++p) {
        const int a = byteAt(block, p);
        if (a == kColumnSeparator) {
            ++column;
            continue;
        }
        const int latitude = a - kLatitudeOffset;
        if (std::abs(latitude) < kSupplementaryLatitudeLimit)
            strokes.spots.push_back({xs * column + kSupplementaryColumnX,
                                     kSupplementarySpotHalfLength - latitude * vs,
                                     -kSupplementarySpotHalfLength - latitude * vs});
    }
    return strokes;
}

ButterflyModel buildButterflyModel(const ObservationStore &store, const ButterflyState &state) {
    return buildButterflyModel(store, butterflySettings(store, state));
}

namespace {

// The marks of records first..end - 1 appended to `marks`, whose pivot year, drawing radius
// and faculae switch are set.
void addMarks(ButterflyMarks &marks, const RecordVector &records, size_t first, size_t end) {
    clearUpperVectorState(); // one conversion per group follows
    const int pivotYear = marks.pivotYear;
    const double drawingRadius = marks.drawingRadius;
    const bool withFaculae = marks.withFaculae;
    for (size_t i = first; i < end; ++i) {
        const ObservationRecord &record = records[i];
        if (record.isSpecial())
            continue;
        // Days without a mark cost no ephemeris (most days near a minimum).
        if (record.usedGroups() == 0 && (!withFaculae || record.usedFaculaFields() == 0))
            continue;
        // A record whose date does not read has no moment to compute the Sun's
        // orientation for; it is left out like a special one.
        const std::optional<CalendarDate> date = recordDate(record, pivotYear);
        if (!date)
            continue;
        const Ephemeris e = solarEphemeris(*date, record.timeUT);
        // The record's own rotation and the position's longitude from the central meridian
        // give the column: the central meridian itself is at the start of rotation + 1.
        const auto turn = [&e](double longitude) { return (360 - e.L0 + longitude) / 360; };

        for (int k = 1; withFaculae && k <= record.usedFaculaFields(); ++k) {
            const FaculaField &field = record.facula(k);
            if (field.vertices[0] == 0)
                continue;
            double longitude = 0;
            const double first =
                2 * vertexLatitude(e, field.vertices[0], drawingRadius, &longitude);
            int hi = static_cast<int>(std::trunc(first));
            int lo = hi;
            for (int v = 1; v < 6 && field.vertices[v] != 0; ++v) {
                const double twice = 2 * vertexLatitude(e, field.vertices[v], drawingRadius);
                if (twice > hi)
                    hi = static_cast<int>(std::trunc(twice));
                if (twice < lo)
                    lo = static_cast<int>(std::trunc(twice));
            }
            marks.faculae.push_back({record.rotation, turn(longitude), hi, lo});
        }
        for (int k = 1; k <= record.usedGroups(); ++k) {
            const SunspotGroup &g = record.group(k);
            const HeliographicPosition h = polarToHeliographic(e, g.distance, g.angle);
            marks.groups.push_back({record.rotation, turn(h.helioLongitude), h.helioLatitude});
        }
    }
}

// Records one worker takes at least: fewer are not worth a thread.
constexpr size_t kRecordsPerWorker = 5000;

} // namespace

ButterflyMarks butterflyMarks(const ObservationStore &store, int pivotYear, double drawingRadius,
                              bool withFaculae, unsigned workers) {
    const RecordVector &records = store.records();
    if (workers == 0) {
        const size_t fit = std::max<size_t>(records.size() / kRecordsPerWorker, 1);
        workers = static_cast<unsigned>(
            std::min<size_t>(fit, std::max(std::thread::hardware_concurrency(), 1u)));
    }
    // Each worker takes an equal run of the records into marks of its own; they are joined
    // in the records' order.
    std::vector<ButterflyMarks> parts(workers);
    for (ButterflyMarks &part : parts) {
        part.pivotYear = pivotYear;
        part.drawingRadius = drawingRadius;
        part.withFaculae = withFaculae;
    }
    const auto runOf = [&](unsigned w) { return records.size() * w / workers; };
    std::vector<std::thread> threads;
    for (unsigned w = 1; w < workers; ++w)
        threads.emplace_back([&, w] { addMarks(parts[w], records, runOf(w), runOf(w + 1)); });
    addMarks(parts[0], records, 0, runOf(1));
    for (std::thread &thread : threads)
        thread.join();

    ButterflyMarks marks = std::move(parts[0]);
    for (unsigned w = 1; w < workers; ++w) {
        marks.groups.insert(marks.groups.end(), parts[w].groups.begin(), parts[w].groups.end());
        marks.faculae.insert(marks.faculae.end(), parts[w].faculae.begin(), parts[w].faculae.end());
    }
    for (const ButterflyMarks::Group &g : marks.groups) {
        marks.lowestRotation = std::min(marks.lowestRotation, g.rotation);
        marks.highestRotation = std::max(marks.highestRotation, g.rotation);
    }
    return marks;
}

ButterflyModel buildButterflyModel(const ObservationStore &store,
                                   const ButterflySettings &settings) {
    const bool faculae = settings.state.mode != ButterflyMode::Spots;
    return buildButterflyModel(
        butterflyMarks(store, settings.pivotYear, settings.drawingRadius, faculae),
        store.butterflyBlock(), settings);
}

bool marksServe(const ButterflyMarks &marks, const ButterflySettings &settings) {
    return marks.pivotYear == settings.pivotYear && marks.drawingRadius == settings.drawingRadius &&
           (marks.withFaculae || settings.state.mode == ButterflyMode::Spots);
}

ButterflyModel buildButterflyModel(const ButterflyMarks &marks, const QByteArray &butterflyBlock,
                                   const ButterflySettings &settings) {
    ButterflyModel m;
    m.settings = settings;
    const ButterflyState &state = settings.state;
    const int vs = state.latitudeScale;
    const int xs = state.rotationWidth;
    const bool spots = state.mode != ButterflyMode::Faculae;
    const bool faculae = state.mode != ButterflyMode::Spots;
    m.scrollRange = horizontalScrollRange(state);

    if (settings.supplementaryShown) {
        SupplementaryStrokes all = supplementaryStrokes(butterflyBlock, state);
        if (faculae)
            m.supplementary.faculae = std::move(all.faculae);
        if (spots)
            m.supplementary.spots = std::move(all.spots);
    }

    const int base = settings.baseRotation;
    // The rotation at a mark's longitude, counted from the left axis, cut to whole rotations
    // (the conversion to int cuts toward zero, as std::trunc does, without its cost).
    const auto column = [base](int32_t rotation, double turn) {
        const double rotations = rotation - base + turn;
        return static_cast<int>(rotations);
    };
    const int frameRight = kRotationAxisSteps * kRotationsPerAxisStep * xs + kButterflyAxisX + 1;
    m.contentRight = std::max(m.scrollRange, frameRight);
    if (faculae) {
        m.faculae.reserve(marks.faculae.size());
        for (const ButterflyMarks::Field &f : marks.faculae) {
            const int x = column(f.rotation, f.turn) * xs + kButterflyAxisX - 1;
            m.faculae.push_back(
                {x, -floorHalf(vs * f.twiceHighest), -floorHalf(vs * f.twiceLowest)});
            m.contentRight = std::max(m.contentRight, x + 1);
        }
    }
    if (spots && !marks.groups.empty()) {
        // A turn lies in (0, 2]: the columns run from the lowest rotation to two past the
        // highest; latitudes lie within +-90 degrees.
        const int width = xs - xs / 2 + 1;
        const int height = vs / 2 + kGroupBoxRise;
        BoxPlaces places(marks.lowestRotation - base - 1, marks.highestRotation - base + 3,
                         -kGroupBoxRise - 90 * vs - 1, -kGroupBoxRise + 90 * vs + 1);
        for (const ButterflyMarks::Group &g : marks.groups) {
            const int c = column(g.rotation, g.turn);
            const int v = static_cast<int>(2 * g.latitude * vs); // cut toward zero
            // From (x, vs div 2 - v/2) to (x + xs - xs div 2 + 1, -2 - v/2), the right
            // and bottom edges excluded.
            const int top = -kGroupBoxRise - floorHalf(v);
            if (!places.firstAt(c, top))
                continue;
            const int x = c * xs + kButterflyAxisX;
            m.groups.emplace_back(x, top, width, height);
            m.contentRight = std::max(m.contentRight, x + width);
        }
    }
    return m;
}

ButterflyGeometry butterflyGeometry(QSize client, int scrollX, int scrollY) {
    return {client.height() / 2, scrollX, scrollY, client};
}

int latitudeLineCount(int latitudeScale, int equatorY) {
    const int d = kDegreesPerLatitudeLine * latitudeScale;
    if (latitudeScale > kLatitudeLineCountFromScale && d > 0)
        return std::max(0, equatorY / d);
    return kDefaultLatitudeLines;
}

ButterflyFrame butterflyFrame(const ButterflyModel &model, const ButterflyGeometry &geometry) {
    const ButterflyState &state = model.settings.state;
    const int xs = state.rotationWidth;
    const int d = kDegreesPerLatitudeLine * state.latitudeScale;
    const int n = latitudeLineCount(state.latitudeScale, geometry.equatorY);

    ButterflyFrame f;
    f.top = -n * d;
    f.bottom = n * d;
    for (int k = 0; k <= kRotationAxisSteps; ++k) {
        const int x = kRotationsPerAxisStep * k * xs + kButterflyAxisX;
        f.verticals.emplace_back(x, f.top, x, f.bottom);
    }
    // The latitude lines run to the scroll range, and on to the last rotation line where
    // that stands further right, so that no rotation line and label stand beyond them.
    const int right = std::max(model.scrollRange, f.verticals.back().x1());
    for (int j = -n; j <= n; ++j) {
        f.horizontals.emplace_back(kButterflyAxisX, j * d, right, j * d);
        f.latitudeLabels.push_back({QPoint(kLatitudeLabelX, j * d - kLatitudeLabelRise),
                                    QString::number(-kDegreesPerLatitudeLine * j)});
    }
    for (int k = 1; k <= kRotationAxisSteps; ++k)
        f.rotationLabels.push_back(
            {QPoint(kRotationsPerAxisStep * k * xs + kButterflyAxisX - kRotationLabelLeft,
                    f.bottom + kRotationLabelDrop),
             QString::number(model.settings.baseRotation + kRotationsPerAxisStep * k)});
    return f;
}

std::vector<ButterflyText> scaleLabels(const ButterflyModel &model,
                                       const ButterflyGeometry &geometry) {
    std::vector<ButterflyText> labels = butterflyFrame(model, geometry).latitudeLabels;
    for (ButterflyText &t : labels)
        t.pos.ry() += geometry.equatorY - geometry.scrollY;
    return labels;
}

ButterflyPrintLayout butterflyPrintLayout(QSize client, int pageWidth) {
    if (client.width() <= 0 || client.height() <= 0)
        return {};
    return {QRect(0, 0, std::max(0, client.width() - kPrintedMarginRight), client.height()),
            QRect(0, 0, pageWidth, pageWidth * client.height() / client.width())};
}

} // namespace orvanek
