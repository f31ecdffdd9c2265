#include "views/silso/silsocomparison.h"

#include "data/dates.h"
#include "data/observationstore.h"

#include <QCoreApplication>

#include <algorithm>

namespace orvanek {

namespace {

constexpr int kDecimals = 2;

// One ordinary record's date and whole-disk and hemisphere R.
struct OwnRecord {
    int32_t day;
    CalendarDate date;
    double r;
    double north;
    double south;
};

// Sums over common days, for one month or for all of them.
struct Sums {
    int days = 0;
    double own = 0;
    double silso = 0;
    int northDays = 0;
    double ownNorth = 0;
    double silsoNorth = 0;
    int southDays = 0;
    double ownSouth = 0;
    double silsoSouth = 0;

    void add(double ownDay, double ownNorthDay, double ownSouthDay, const SilsoDay &s) {
        ++days;
        own += ownDay;
        silso += s.total;
        if (s.north >= 0) {
            ++northDays;
            ownNorth += ownNorthDay;
            silsoNorth += s.north;
        }
        if (s.south >= 0) {
            ++southDays;
            ownSouth += ownSouthDay;
            silsoSouth += s.south;
        }
    }
};

// SILSO's mean over own mean; nothing when there is no day or the own mean is 0.
std::optional<double> factor(int days, double own, double silso) {
    if (days == 0 || own == 0)
        return std::nullopt;
    return silso / own; // the day counts cancel
}

ComparisonRow rowOf(const Sums &s, int year, int month, SilsoKind kind) {
    ComparisonRow row;
    row.year = year;
    row.month = month;
    row.days = s.days;
    row.ownR = s.days > 0 ? s.own / s.days : 0;
    row.silso = s.days > 0 ? s.silso / s.days : 0;
    row.k = factor(s.days, s.own, s.silso);
    if (kind == SilsoKind::Hemispheric) {
        row.kNorth = factor(s.northDays, s.ownNorth, s.silsoNorth);
        row.kSouth = factor(s.southDays, s.ownSouth, s.silsoSouth);
    }
    return row;
}

QString decimals(double value) {
    return QString::number(value, 'f', kDecimals);
}

QString optionalDecimals(const std::optional<double> &value) {
    return value ? decimals(*value) : QString();
}

} // namespace

SilsoComparison compareWithSilso(const ObservationStore &store, const SilsoFile &file) {
    SilsoComparison c;
    c.kind = file.kind;
    c.fileName = file.name;

    std::vector<OwnRecord> own;
    own.reserve(store.records().size());
    for (const ObservationRecord &r : store.records()) {
        if (r.isSpecial())
            continue;
        const auto date = store.dateOf(r);
        if (!date)
            continue;
        const RecordSummary &s = r.summary;
        own.push_back({serialDay(*date), *date, double(s.northR) + s.southR, double(s.northR),
                       double(s.southR)});
    }
    if (own.empty()) {
        c.problem = QCoreApplication::translate(
            "Silso", "V datech není žádné řádné pozorování s čitelným datem.");
        return c;
    }
    std::stable_sort(own.begin(), own.end(),
                     [](const OwnRecord &a, const OwnRecord &b) { return a.day < b.day; });

    Sums month;
    Sums all;
    CalendarDate monthOf{};
    const auto closeMonth = [&] {
        if (month.days > 0)
            c.months.push_back(rowOf(month, monthOf.curYear, monthOf.curMonth, c.kind));
        month = Sums();
    };
    auto silso = file.days.begin();
    for (size_t i = 0; i < own.size();) {
        // The records of one date: their mean is the day's value.
        size_t end = i;
        double r = 0;
        double north = 0;
        double south = 0;
        while (end < own.size() && own[end].day == own[i].day) {
            r += own[end].r;
            north += own[end].north;
            south += own[end].south;
            ++end;
        }
        const double count = double(end - i);
        const OwnRecord &first = own[i];
        i = end;
        silso = std::lower_bound(silso, file.days.end(), first.day,
                                 [](const SilsoDay &d, int32_t day) { return d.day < day; });
        if (silso == file.days.end())
            break;
        if (silso->day != first.day)
            continue;
        if (first.date.curYear != monthOf.curYear || first.date.curMonth != monthOf.curMonth) {
            closeMonth();
            monthOf = first.date;
        }
        month.add(r / count, north / count, south / count, *silso);
        all.add(r / count, north / count, south / count, *silso);
    }
    closeMonth();
    c.all = rowOf(all, 0, 0, c.kind);

    if (all.days == 0) {
        const QString fileRange = file.days.empty()
                                      ? QCoreApplication::translate("Silso", "bez jediné hodnoty")
                                      : shortDate(file.days.front().date) + QStringLiteral(" – ") +
                                            shortDate(file.days.back().date);
        c.problem =
            QCoreApplication::translate("Silso", "Soubor %1 nemá s pozorováními žádný společný den "
                                                 "(pozorování %2 – %3, soubor %4).")
                .arg(file.name, shortDate(own.front().date), shortDate(own.back().date), fileRange);
    }
    return c;
}

QList<QStringList> comparisonCsvRows(const SilsoComparison &comparison) {
    const bool hemispheres = comparison.kind == SilsoKind::Hemispheric;
    QList<QStringList> rows;
    QStringList header{QStringLiteral("month"), QStringLiteral("year"),    QStringLiteral("days"),
                       QStringLiteral("ownR"),  QStringLiteral("silsoSN"), QStringLiteral("k")};
    if (hemispheres)
        header << QStringLiteral("kNorth") << QStringLiteral("kSouth");
    rows << header;
    const auto row = [&](const ComparisonRow &r, const QString &month, const QString &year) {
        QStringList fields{month,
                           year,
                           QString::number(r.days),
                           decimals(r.ownR),
                           decimals(r.silso),
                           optionalDecimals(r.k)};
        if (hemispheres)
            fields << optionalDecimals(r.kNorth) << optionalDecimals(r.kSouth);
        return fields;
    };
    for (const ComparisonRow &m : comparison.months)
        rows << row(m, QString::number(m.month), QString::number(m.year));
    rows << row(comparison.all, QStringLiteral("all"), QString());
    return rows;
}

} // namespace orvanek
