#include "entry/commit.h"

#include "data/dates.h"
#include "data/numberformat.h"
#include "entry/summary.h"
#include "solar/conversion.h"
#include "solar/ephemeris.h"
#include "solar/rounding.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <numeric>

namespace orvanek {

namespace {

// The texts of the commit, translated in the context "Commit".
struct CommitTexts {
    Q_DECLARE_TR_FUNCTIONS(Commit)
};

// A value the cell reader stops growing at: far beyond every field, far from overflow.
constexpr int64_t kCellCap = 1'000'000'000'000;

// Hemisphere letters place a group only by hemisphere, near the limb.
constexpr uint16_t kNorthAngle = 10;
constexpr uint16_t kSouthAngle = 1790;
constexpr uint16_t kHemisphereDistance = 1200;

// Stored distances are tenths of a mm on the reference drawing: mm x 10 x 125 / R, so a
// distance of R mm is the limb.
constexpr double kDistanceScale = kLimbDistance;

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

qsizetype skipBlanks(QStringView text, qsizetype i) {
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    return i;
}

uint8_t toByte(int64_t value) {
    return static_cast<uint8_t>(static_cast<uint64_t>(value) & 0xFF);
}

uint16_t toWord(int64_t value) {
    return static_cast<uint16_t>(static_cast<uint64_t>(value) & 0xFFFF);
}

bool sameText(const StoredText<10> &a, const StoredText<10> &b) {
    return a.usedLength() == b.usedLength() &&
           std::memcmp(a.chars, b.chars, static_cast<size_t>(a.usedLength())) == 0;
}

// "s"/"S" for the north, "j"/"J" for the south; 0 for anything else.
int hemisphereLetter(const QString &cell) {
    const QString letter = cell.trimmed();
    if (letter.compare(QLatin1String("s"), Qt::CaseInsensitive) == 0)
        return 1;
    if (letter.compare(QLatin1String("j"), Qt::CaseInsensitive) == 0)
        return -1;
    return 0;
}

// The type as stored: first letter upper case, the next two lower case.
QString groupType(const QString &cell) {
    const QString typed = cell.trimmed().left(3);
    if (typed.isEmpty())
        return typed;
    return typed.left(1).toUpper() + typed.mid(1).toLower();
}

QString radiusText(double drawingRadius) {
    return formatNumber(drawingRadius, "###.#");
}

EntryMessage headerMessage(const QString &text, EntryField field) {
    return {text, {field, 0, 0}};
}

// What the observer typed, as a message quotes it: cut after 40 characters, so that a
// pasted page does not become a page of message, and without control characters.
QString quoted(const QString &typed) {
    return inputExcerpt(QStringView(typed).trimmed());
}

QString notIntegerText(const QString &typed, EntryField field) {
    return CommitTexts::tr("„%1“ není celé číslo – %2").arg(quoted(typed), entryFieldLabel(field));
}

// A count of table rows: an integer from 0 to 30.
std::optional<int> readCount(const QString &typed, EntryField field, const QString &tooMany,
                             QList<EntryMessage> &messages) {
    const std::optional<int> value = strictInteger(typed);
    if (!value) {
        messages << headerMessage(notIntegerText(typed, field), field);
        return std::nullopt;
    }
    if (*value > kMaxTableRows) {
        messages << headerMessage(tooMany, field);
        return std::nullopt;
    }
    if (*value < 0) {
        messages << headerMessage(CommitTexts::tr("„%1“ není počet od 0 do 30 – %2")
                                      .arg(quoted(typed), entryFieldLabel(field)),
                                  field);
        return std::nullopt;
    }
    return value;
}

// Where a typed number must lie so that it is stored as typed: the field's stored width
// (a byte, a word, 7 bits of packed millimetres) or what the value means (an angle).
struct NumberRange {
    double min;
    double max;
};
constexpr NumberRange kByteRange{0, 255};
constexpr NumberRange kWordRange{0, 65535};
constexpr NumberRange kDegreesRange{0, 360};
constexpr NumberRange kLatitudeRange{-90, 90};
// Packed positions keep whole millimetres in the low 7 bits.
constexpr NumberRange kPackedMmRange{0, kPackedDegreeUnit - 1};

QString numberText(double value) {
    return QString::number(value, 'g', 10);
}

// Angles, distances and the auxiliary spots' areas are typed with decimals; every other
// number cell takes whole numbers.
bool decimalGroupColumn(int column) {
    return column == ColAngle || column == ColDistance || column == ColAux1Area ||
           column == ColAux2Area;
}

// The leading decimal number of a cell, as cellDecimal reads it; nothing when it is too
// large for a double (over 308 digits before the point). One too small for a double is 0.
std::optional<double> decimalCell(QStringView text) {
    qsizetype i = skipBlanks(text, 0);
    std::string number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    bool digits = false;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i) {
        number += static_cast<char>(text[i].unicode());
        digits = true;
    }
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        number += '.';
        for (++i; i < text.size() && isAsciiDigit(text[i]); ++i) {
            number += static_cast<char>(text[i].unicode());
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (number.front() == '.' || (number.front() == '-' && number[1] == '.'))
        number.insert(number.front() == '-' ? 1 : 0, 1, '0');
    double value = 0;
    const auto read = std::from_chars(number.data(), number.data() + number.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        // Out of range below (many zeros after the point) is 0; above, no number at all.
        const size_t firstDigit = number.find_first_not_of("-0");
        if (firstDigit != std::string::npos && number[firstDigit] != '.')
            return std::nullopt;
        return 0.0;
    }
    // Digits and one point alone: from_chars gives a finite value or says it is out of range.
    return value;
}

// A number cell as stored: empty is 0; otherwise blanks around a sign, digits and, where
// decimals are taken, one decimal point or comma, and nothing else. Nothing for any other
// text, so a typo such as "3OO" is not taken for 3.
std::optional<double> strictCellNumber(QStringView text, bool decimals) {
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return 0.0;
    qsizetype i = 0;
    if (t[i] == u'+' || t[i] == u'-')
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (isAsciiDigit(t[i])) {
            digits = true;
        } else if (decimals && !point && (t[i] == u'.' || t[i] == u',')) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    // A number too long for a double is refused like a typo, never stored as 0.
    return decimals ? decimalCell(t) : static_cast<double>(cellInteger(t));
}

QString rowText(int row) {
    return CommitTexts::tr("řádek %1").arg(row);
}

// Every number cell of the rows in use must be a number of its field's range. The first
// cell that is not, with its message; nothing when all are sound. The limits that have
// messages of their own (angle over 360, distance over R, "č.sk2" over 70) are left to
// checkTables.
std::optional<EntryMessage> checkCellNumbers(const EntryForm &form, int groupRows, int faculaRows,
                                             double drawingRadius, bool heliographicEntry) {
    // Areas are stored in mm² x 2550 / R, which must fit a word.
    const NumberRange areaRange{0, std::floor(65535.5 * drawingRadius / kAreaScale)};
    // No bound here: the limits that have messages of their own (angle over 360, distance
    // over R, "č.sk2" outside 0..70) are checked by checkTables, which names them.
    constexpr double kNoBound = std::numeric_limits<double>::infinity();
    const NumberRange unchecked{-kNoBound, kNoBound};
    // Millimetres beyond R have their own message; beyond 127 they would spill into the
    // packed degrees, which only a radius over 127 mm lets through.
    const NumberRange packedMm{0, drawingRadius > kPackedMmRange.max ? kPackedMmRange.max
                                                                     : unchecked.max};
    auto groupRange = [&](int column) -> NumberRange {
        switch (column) {
        case ColSpots:
        case ColPenumbrae:
            return kByteRange;
        case ColAngle:
            return {0, unchecked.max};
        case ColDistance:
            return heliographicEntry ? kLatitudeRange : NumberRange{0, unchecked.max};
        case ColArea:
        case ColAux1Area:
        case ColAux2Area:
            return areaRange;
        case ColSmallSpots:
        case ColGlobalNumber:
            return kWordRange;
        case ColRotationNumber:
            return unchecked;
        case ColAux1Angle:
        case ColAux2Angle:
            return kDegreesRange;
        default: // the auxiliary spots' distances
            return packedMm;
        }
    };
    auto check = [&](const QString &typed, bool decimals, NumberRange range, EntryField table,
                     int row, int column, const QString &label) -> std::optional<EntryMessage> {
        const std::optional<double> value = strictCellNumber(typed, decimals);
        const EntryLocation where{table, row, column};
        const QString place = label + QStringLiteral(", ") + rowText(row);
        if (!value)
            return EntryMessage{(decimals ? CommitTexts::tr("„%1“ není číslo – %2")
                                          : CommitTexts::tr("„%1“ není celé číslo – %2"))
                                    .arg(quoted(typed), place),
                                where};
        if (*value < range.min && range.max == unchecked.max)
            return EntryMessage{
                CommitTexts::tr("„%1“ nesmí být záporné – %2").arg(quoted(typed), place), where};
        if (*value < range.min || *value > range.max)
            return EntryMessage{
                CommitTexts::tr("„%1“ je mimo rozsah %2 až %3 – %4")
                    .arg(quoted(typed), numberText(range.min), numberText(range.max), place),
                where};
        return std::nullopt;
    };
    for (int i = 1; i <= groupRows; ++i) {
        for (int column = ColSpots; column <= kGroupColumns; ++column) {
            const QString typed = form.groupCell(i, column);
            // A hemisphere letter places the group by hemisphere; the distance is not read.
            if (column == ColAngle && hemisphereLetter(typed) != 0)
                continue;
            if (column == ColDistance && hemisphereLetter(form.groupCell(i, ColAngle)) != 0)
                continue;
            if (auto message =
                    check(typed, decimalGroupColumn(column), groupRange(column), EntryField::Groups,
                          i, column, groupColumnLabel(column, heliographicEntry)))
                return message;
        }
    }
    for (int i = 1; i <= faculaRows; ++i) {
        for (int column = 1; column <= kFaculaColumns; ++column) {
            const bool angle = column % 2 == 1;
            if (auto message =
                    check(form.faculaCell(i, column), false, angle ? kDegreesRange : packedMm,
                          EntryField::Faculae, i, column, faculaColumnLabel(column)))
                return message;
        }
    }
    return std::nullopt;
}

// In heliographic entry: the first group whose l, b lies on the far side of the Sun at
// that moment (more than 90 degrees from the centre of the disk), with its message.
std::optional<EntryMessage> checkVisibleSide(const EntryForm &form, int groupRows,
                                             const Ephemeris &e) {
    constexpr double kRad = std::numbers::pi / 180;
    for (int i = 1; i <= groupRows; ++i) {
        if (hemisphereLetter(form.groupCell(i, ColAngle)) != 0)
            continue;
        const double l = cellDecimal(form.groupCell(i, ColAngle));
        const double b = cellDecimal(form.groupCell(i, ColDistance));
        const double depth =
            std::cos(b * kRad) * std::cos(e.B0 * kRad) * std::cos((l - e.L0) * kRad) +
            std::sin(b * kRad) * std::sin(e.B0 * kRad);
        if (depth < 0)
            return EntryMessage{
                CommitTexts::tr("Skupina v řádku %1 (l = %2, b = %3) leží na odvrácené straně "
                                "Slunce, L0 = %4")
                    .arg(i)
                    .arg(formatNumber(l, "0.0"), formatNumber(b, "0.0"), formatNumber(e.L0, "0.0")),
                {EntryField::Groups, i, ColAngle}};
    }
    return std::nullopt;
}

// The table checks, in the order the observer is told about them. Each cell is read the
// way it is then stored, so a value typed with a decimal comma is checked like the same
// value typed with a point.
QList<EntryMessage> checkTables(const EntryForm &form, int groupRows, int faculaRows,
                                double drawingRadius) {
    enum class Error { None, GroupDistance, FaculaDistance, Angle };
    Error error = Error::None;
    EntryLocation errorCell;
    std::optional<EntryLocation> rotationCell;

    auto note = [&](Error e, EntryField table, int row, int column) {
        error = e;
        errorCell = {table, row, column};
    };
    // The group check ends at the first offending cell.
    for (int i = 1; i <= groupRows; ++i) {
        if (cellDecimal(form.groupCell(i, ColAngle)) > 360) {
            note(Error::Angle, EntryField::Groups, i, ColAngle);
            break;
        }
        if (cellDecimal(form.groupCell(i, ColDistance)) > drawingRadius) {
            note(Error::GroupDistance, EntryField::Groups, i, ColDistance);
            break;
        }
        if (cellInteger(form.groupCell(i, ColAux1Distance)) > drawingRadius) {
            note(Error::GroupDistance, EntryField::Groups, i, ColAux1Distance);
            break;
        }
        if (cellInteger(form.groupCell(i, ColAux2Distance)) > drawingRadius) {
            note(Error::GroupDistance, EntryField::Groups, i, ColAux2Distance);
            break;
        }
        const int64_t rotationNumber = cellInteger(form.groupCell(i, ColRotationNumber));
        if (rotationNumber > kRotationGroups || rotationNumber < 0) {
            rotationCell = EntryLocation{EntryField::Groups, i, ColRotationNumber};
            break;
        }
    }
    // The faculae check always runs; in each row the first V cell beyond R counts, and the
    // last such row is the one selected. It replaces a group error.
    for (int i = 1; i <= faculaRows; ++i) {
        for (int column = 2; column <= kFaculaColumns; column += 2) {
            if (cellInteger(form.faculaCell(i, column)) > drawingRadius) {
                note(Error::FaculaDistance, EntryField::Faculae, i, column);
                break;
            }
        }
    }

    QList<EntryMessage> messages;
    switch (error) {
    case Error::GroupDistance:
        messages << EntryMessage{CommitTexts::tr("Špatně zadaná vzdálenost u skupin max. ") +
                                     radiusText(drawingRadius),
                                 errorCell};
        break;
    case Error::FaculaDistance:
        messages << EntryMessage{CommitTexts::tr("Špatně zadaná vzdálenost u fakulí max. ") +
                                     radiusText(drawingRadius),
                                 errorCell};
        break;
    case Error::Angle:
        messages << EntryMessage{CommitTexts::tr("Úhel je maximálně 360 stupňů "), errorCell};
        break;
    case Error::None:
        break;
    }
    if (rotationCell)
        messages << EntryMessage{CommitTexts::tr("Maximální číslo v otočce je 70"), *rotationCell};
    return messages;
}

void fillGroup(SunspotGroup &g, const EntryForm &form, int row, const Ephemeris &ephemeris,
               double drawingRadius, bool heliographicEntry) {
    auto integer = [&](int column) { return cellInteger(form.groupCell(row, column)); };
    auto decimal = [&](int column) { return cellDecimal(form.groupCell(row, column)); };

    writeText(g.type, groupType(form.groupCell(row, ColType)));
    g.spotCount = toByte(integer(ColSpots));
    g.penumbraCount = toByte(integer(ColPenumbrae));

    double angleDegrees = decimal(ColAngle);
    double distanceMm = decimal(ColDistance);
    if (heliographicEntry) {
        // l and b as typed, single precision like every heliographic value entered.
        const PolarPosition p =
            heliographicToPolar(ephemeris, static_cast<float>(distanceMm),
                                static_cast<float>(angleDegrees), drawingRadius);
        angleDegrees = p.polarAngle;
        distanceMm = p.polarDistance;
    }
    g.angle = roundToWord(angleDegrees * 10);
    g.distance = roundToWord(distanceMm * kDistanceScale / drawingRadius);
    if (const int hemisphere = hemisphereLetter(form.groupCell(row, ColAngle))) {
        g.angle = hemisphere > 0 ? kNorthAngle : kSouthAngle;
        g.distance = kHemisphereDistance;
    }

    g.area = roundToWord(static_cast<double>(integer(ColArea)) * kAreaScale / drawingRadius);
    g.smallSpots = toWord(integer(ColSmallSpots));
    g.globalGroupNumber = toWord(integer(ColGlobalNumber));
    g.rotationGroupNumber = toWord(integer(ColRotationNumber));
    g.aux1Position = packPosition(integer(ColAux1Angle), integer(ColAux1Distance));
    g.aux1Area = roundToWord(decimal(ColAux1Area) * kAreaScale / drawingRadius);
    g.aux2Position = packPosition(integer(ColAux2Angle), integer(ColAux2Distance));
    g.aux2Area = roundToWord(decimal(ColAux2Area) * kAreaScale / drawingRadius);
}

} // namespace

QString entryFieldLabel(EntryField field) {
    switch (field) {
    case EntryField::Observer:
        return CommitTexts::tr("Pozorovatel");
    case EntryField::Date:
        return CommitTexts::tr("Datum");
    case EntryField::TimeUT:
        return CommitTexts::tr("Čas UT");
    case EntryField::Conditions:
        return CommitTexts::tr("PP");
    case EntryField::ImageQuality:
        return CommitTexts::tr("Obr.");
    case EntryField::SeeingQuality:
        return QStringLiteral("Q");
    case EntryField::CentralGroups:
        return QStringLiteral("qc");
    case EntryField::CentralSpots:
        return QStringLiteral("fc");
    case EntryField::CentralR:
        return QStringLiteral("rc");
    case EntryField::FaculaTotal:
        return QStringLiteral("F");
    case EntryField::GroupCount:
        return CommitTexts::tr("Počet skupin");
    case EntryField::FaculaFieldCount:
        return CommitTexts::tr("Počet fakulí");
    case EntryField::Station:
        return CommitTexts::tr("Stanice");
    case EntryField::SpecialMark:
        return CommitTexts::tr("Zvlášťní záznam");
    case EntryField::Groups:
        return CommitTexts::tr("Skupiny");
    case EntryField::Faculae:
        return CommitTexts::tr("Fakule");
    case EntryField::None:
        break;
    }
    return {};
}

QString groupColumnLabel(int column, bool heliographicEntry) {
    if (heliographicEntry && column == ColAngle)
        return QStringLiteral("l");
    if (heliographicEntry && column == ColDistance)
        return QStringLiteral("b");
    static const std::array<const char *, kGroupColumns> labels = {
        QT_TRANSLATE_NOOP("Commit", "Typ"),    QT_TRANSLATE_NOOP("Commit", "poč"),
        QT_TRANSLATE_NOOP("Commit", "s pen."), QT_TRANSLATE_NOOP("Commit", "úhel"),
        QT_TRANSLATE_NOOP("Commit", "vzd."),   QT_TRANSLATE_NOOP("Commit", "plocha."),
        QT_TRANSLATE_NOOP("Commit", "mal.s."), QT_TRANSLATE_NOOP("Commit", "č.sk1"),
        QT_TRANSLATE_NOOP("Commit", "č.sk2"),  QT_TRANSLATE_NOOP("Commit", "úhel1"),
        QT_TRANSLATE_NOOP("Commit", "vzd.1"),  QT_TRANSLATE_NOOP("Commit", "plo.1"),
        QT_TRANSLATE_NOOP("Commit", "úhel2"),  QT_TRANSLATE_NOOP("Commit", "vzd.2"),
        QT_TRANSLATE_NOOP("Commit", "plo.2")};
    if (column < 1 || column > kGroupColumns)
        return {};
    return CommitTexts::tr(labels[static_cast<size_t>(column - 1)]);
}

QString faculaColumnLabel(int column) {
    return (column % 2 == 1 ? CommitTexts::tr("U%1") : CommitTexts::tr("V%1"))
        .arg((column + 1) / 2);
}

int64_t cellInteger(QStringView text) {
    qsizetype i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i)
        if (value < kCellCap)
            value = value * 10 + (text[i].unicode() - u'0');
    return negative ? -value : value;
}

double cellDecimal(QStringView text) {
    return decimalCell(text).value_or(0);
}

std::optional<int> strictInteger(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < t.size(); ++i) {
        if (!isAsciiDigit(t[i]))
            return std::nullopt;
        value = value * 10 + (t[i].unicode() - u'0');
        if (value > int64_t{1} << 31)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(value);
}

ObservationRecord clearedRecord(const ObservationStore &store) {
    ObservationRecord r = store.currentRecord();
    writeText(r.observer, QString());
    writeText(r.dateText, QString());
    writeText(r.specialMark, QString());
    r.timeUT = 0;
    r.conditions = 0;
    r.imageQuality = 0;
    r.seeingQuality = 0;
    r.groupCount = 0;
    r.faculaFieldCount = 0;
    r.centralGroups = 0;
    r.centralSpots = 0;
    r.centralR = 0;
    r.faculaTotal = 0;
    if (store.recordCount() > 1)
        r.station = store.record(1).station;
    for (RecordSlot &slot : r.recordSlots) {
        std::memset(&slot, 0, sizeof slot);
        slot.group.type.length = static_cast<uint8_t>(kUnclassifiedType.size());
        std::memcpy(slot.group.type.chars, kUnclassifiedType.data(), kUnclassifiedType.size());
    }
    return r;
}

EntryForm entryFormFromRecord(const ObservationRecord &record, EntryMode mode, double drawingRadius,
                              bool heliographicEntry, int pivotYear) {
    EntryForm form;
    form.mode = mode;
    form.observer = readText(record.observer);
    form.date = readText(record.dateText);
    form.timeUT = QString::number(record.timeUT);
    form.conditions = QString::number(record.conditions);
    form.imageQuality = QString::number(record.imageQuality);
    form.seeingQuality = QString::number(record.seeingQuality);
    form.centralGroups = QString::number(record.centralGroups);
    form.centralSpots = QString::number(record.centralSpots);
    form.centralR = QString::number(record.centralR);
    form.faculaTotal = QString::number(record.faculaTotal);
    form.groupCount = QString::number(record.groupCount);
    form.faculaFieldCount = QString::number(record.faculaFieldCount);
    form.station = readText(record.station);
    form.specialMark = readText(record.specialMark);

    Ephemeris ephemeris;
    if (heliographicEntry)
        if (const auto date = recordDate(record, pivotYear))
            ephemeris = solarEphemeris(*date, record.timeUT);
    const double areaUnit = kAreaScale / drawingRadius; // stored units per mm² on this drawing

    for (int i = 1; i <= record.usedGroups(); ++i) {
        const SunspotGroup &g = record.group(i);
        QStringList cells;
        cells << groupType(readText(g.type));
        cells << QString::number(g.spotCount) << QString::number(g.penumbraCount);
        if (heliographicEntry) {
            const HeliographicPosition h = polarToHeliographic(ephemeris, g.distance, g.angle);
            cells << formatNumber(h.helioLongitude, "0.0") << formatNumber(h.helioLatitude, "0.0");
        } else {
            cells << formatNumber(g.angle / 10.0, "0.0")
                  << formatNumber(g.distance * drawingRadius / kLimbDistance, "0.0");
        }
        if (g.distance == kHemisphereDistance &&
            (g.angle == kNorthAngle || g.angle == kSouthAngle)) {
            cells[ColAngle - 1] =
                g.angle == kNorthAngle ? QStringLiteral("s") : QStringLiteral("j");
            cells[ColDistance - 1].clear();
        }
        cells << formatNumber(g.area / areaUnit, "0").rightJustified(3, u' ');
        cells << QString::number(g.smallSpots) << QString::number(g.globalGroupNumber)
              << QString::number(g.rotationGroupNumber);
        const PackedPosition aux1 = unpackPosition(g.aux1Position);
        const PackedPosition aux2 = unpackPosition(g.aux2Position);
        // Auxiliary areas are typed with decimals; shown with one, a correction that does
        // not touch them stores them unchanged.
        cells << QString::number(aux1.degrees) << QString::number(aux1.millimetres)
              << formatNumber(g.aux1Area / areaUnit, "0.#");
        cells << QString::number(aux2.degrees) << QString::number(aux2.millimetres)
              << formatNumber(g.aux2Area / areaUnit, "0.#");
        form.groups << cells;
    }
    for (int i = 1; i <= record.usedFaculaFields(); ++i) {
        QStringList cells;
        for (uint16_t vertex : record.facula(i).vertices) {
            const PackedPosition p = unpackPosition(vertex);
            cells << QString::number(p.degrees) << QString::number(p.millimetres);
        }
        form.faculae << cells;
    }
    return form;
}

QList<EntryMessage> prepareEntry(const ObservationStore &store, const EntryForm &form,
                                 PreparedEntry &entry) {
    QList<EntryMessage> messages;
    const double radius = store.drawingRadius();
    if (!(radius > 0))
        return {headerMessage(CommitTexts::tr("Není zvolen poloměr zákresu"), EntryField::None)};
    const bool correction = form.mode == EntryMode::Correction;
    if (correction && (store.currentIndex() < 0 || store.currentIndex() >= store.recordCount()))
        return {
            headerMessage(CommitTexts::tr("Není vybrán žádný záznam k opravě"), EntryField::None)};

    // The counts decide how many rows are read, so they come first.
    const auto groupRows = readCount(form.groupCount, EntryField::GroupCount,
                                     CommitTexts::tr("Maximálni počet skupin je 30 !"), messages);
    if (!groupRows)
        return messages;
    const auto faculaRows = readCount(form.faculaFieldCount, EntryField::FaculaFieldCount,
                                      CommitTexts::tr("Maximálni počet fakulí je 30 !"), messages);
    if (!faculaRows)
        return messages;

    if (auto message =
            checkCellNumbers(form, *groupRows, *faculaRows, radius, store.heliographicEntry()))
        return {*message};
    messages = checkTables(form, *groupRows, *faculaRows, radius);
    if (!messages.isEmpty())
        return messages;

    const std::optional<CalendarDate> date = parseDate(form.date, store.pivotYear());
    if (!date) {
        QString shown = form.date.trimmed();
        if (QString(shown).remove(u'.').trimmed().isEmpty())
            return {headerMessage(CommitTexts::tr("Není zadáno datum"), EntryField::Date)};
        return {headerMessage(CommitTexts::tr("„%1“ není platné datum – Datum").arg(quoted(shown)),
                              EntryField::Date)};
    }

    struct HeaderNumber {
        const QString &typed;
        EntryField field;
        NumberRange range; // what the record's byte or word holds
        int value = 0;
    };
    HeaderNumber numbers[] = {
        {form.timeUT, EntryField::TimeUT, kWordRange},
        {form.conditions, EntryField::Conditions, kByteRange},
        {form.imageQuality, EntryField::ImageQuality, kByteRange},
        {form.seeingQuality, EntryField::SeeingQuality, kByteRange},
        {form.centralGroups, EntryField::CentralGroups, kWordRange},
        {form.centralSpots, EntryField::CentralSpots, kWordRange},
        {form.centralR, EntryField::CentralR, kWordRange},
        {form.faculaTotal, EntryField::FaculaTotal, kWordRange},
    };
    for (HeaderNumber &n : numbers) {
        const std::optional<int> value = strictInteger(n.typed);
        if (!value)
            return {headerMessage(notIntegerText(n.typed, n.field), n.field)};
        // The moment decides the orientation; 9999 would be taken as a time four days on.
        if (n.field == EntryField::TimeUT && !isTimeOfDay(*value))
            return {headerMessage(
                QCoreApplication::translate(
                    "Commit", "„%1“ není čas hhmm (hodiny 0 až 23, minuty 0 až 59) – %2")
                    .arg(quoted(n.typed), entryFieldLabel(n.field)),
                n.field)};
        if (*value < n.range.min || *value > n.range.max)
            return {headerMessage(CommitTexts::tr("„%1“ je mimo rozsah %2 až %3 – %4")
                                      .arg(quoted(n.typed), numberText(n.range.min),
                                           numberText(n.range.max), entryFieldLabel(n.field)),
                                  n.field)};
        n.value = *value;
    }
    const Ephemeris ephemeris = solarEphemeris(*date, toWord(numbers[0].value));
    if (store.heliographicEntry())
        if (auto message = checkVisibleSide(form, *groupRows, ephemeris))
            return {*message};

    // Everything is known to be sound: build the record.
    // A date is stored in its one written form, "08.12.2026", however it was typed.
    ObservationRecord r = correction ? store.currentRecord() : clearedRecord(store);
    writeText(r.dateText, shortDate(*date));
    entry.dateChanged = !correction || !sameText(r.dateText, store.currentRecord().dateText);
    writeText(r.specialMark, form.specialMark.isEmpty() ? QString() : specialMarkText());
    writeText(r.observer, form.observer);
    entry.observer = readText(r.observer);
    r.timeUT = toWord(numbers[0].value);
    r.conditions = toByte(numbers[1].value);
    r.imageQuality = toByte(numbers[2].value);
    r.seeingQuality = toByte(numbers[3].value);
    r.centralGroups = toWord(numbers[4].value);
    r.centralSpots = toWord(numbers[5].value);
    r.centralR = toWord(numbers[6].value);
    r.faculaTotal = toWord(numbers[7].value);
    r.groupCount = static_cast<uint8_t>(*groupRows);
    r.faculaFieldCount = static_cast<uint8_t>(*faculaRows);
    writeText(r.station, form.station);

    for (int i = 1; i <= *groupRows; ++i)
        fillGroup(r.group(i), form, i, ephemeris, radius, store.heliographicEntry());
    for (int i = 1; i <= *faculaRows; ++i)
        for (int k = 1; k <= 6; ++k)
            r.facula(i).vertices[k - 1] = packPosition(cellInteger(form.faculaCell(i, 2 * k - 1)),
                                                       cellInteger(form.faculaCell(i, 2 * k)));

    r.rotation = toWord(ephemeris.rotation);
    r.centralLongitude = toWord(static_cast<int64_t>(std::trunc(ephemeris.L0)));
    r.summary = computeSummary(r, ephemeris, radius);
    copyHeaderIntoSummary(r.summary, r);
    entry.record = r;
    return {};
}

CommitResult commitEntry(ObservationStore &store, const EntryForm &form) {
    CommitResult result;
    PreparedEntry entry;
    result.messages = prepareEntry(store, form, entry);
    if (!result.messages.isEmpty())
        return result;

    store.learnObserver(entry.observer);
    const StoreStatus sorted = store.storeRecord(entry.record, form.mode == EntryMode::Correction);
    if (!sorted)
        result.warning = sorted.message;
    result.ok = true;
    result.dateChanged = entry.dateChanged;
    result.record = entry.record;
    return result;
}

QList<EntryMessage> EntryBatch::add(const EntryForm &form) {
    if (form.mode == EntryMode::Correction) {
        failed_ = true;
        return {{CommitTexts::tr("Opravu nelze uložit dávkou"), {}}};
    }
    PreparedEntry entry;
    const QList<EntryMessage> messages = prepareEntry(store_, form, entry);
    if (!messages.isEmpty()) {
        failed_ = true;
        return messages;
    }
    if (!failed_) {
        records_.push_back(entry.record);
        if (!entry.observer.isEmpty() &&
            (observers_.isEmpty() || observers_.constLast() != entry.observer))
            observers_ << entry.observer;
    }
    return {};
}

StoreStatus EntryBatch::commit() {
    if (failed_)
        return StoreStatus::failure(CommitTexts::tr("Některé pozorování nelze uložit"));
    const StoreStatus stored = store_.appendRecords(std::move(records_));
    records_.clear();
    if (!stored)
        return stored;
    for (const QString &name : std::as_const(observers_))
        store_.learnObserver(name);
    observers_.clear();
    return {};
}

} // namespace orvanek
