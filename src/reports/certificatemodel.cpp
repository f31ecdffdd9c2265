#include "reports/certificatemodel.h"

#include "data/observationstore.h"
#include "solar/calendar.h"

namespace orvanek {

namespace {

constexpr double kPercent = 100.0;

// One column of a certificate row: where its value is read from.
struct CertificateColumnSource {
    CertificateValue value;
    int (*read)(const ObservationRecord &);
};

// What each summed column shows. F and Q are the record's own fields, as the observer
// entered them; the rest come from the summary the commit derived.
constexpr CertificateColumnSource kColumnSources[] = {
    {CertG,
     [](const ObservationRecord &r) { return r.summary.northGroups + r.summary.southGroups; }},
    {CertF, [](const ObservationRecord &r) { return r.summary.northSpots + r.summary.southSpots; }},
    {CertR, [](const ObservationRecord &r) { return r.summary.northR + r.summary.southR; }},
    {CertNorthR, [](const ObservationRecord &r) { return static_cast<int>(r.summary.northR); }},
    {CertSouthR, [](const ObservationRecord &r) { return static_cast<int>(r.summary.southR); }},
    {CertCentralR, [](const ObservationRecord &r) { return static_cast<int>(r.summary.centralR); }},
    {CertFaculae, [](const ObservationRecord &r) { return static_cast<int>(r.faculaTotal); }},
    {CertSeeing, [](const ObservationRecord &r) { return static_cast<int>(r.seeingQuality); }},
};
static_assert(std::size(kColumnSources) == CertificateValueCount);

bool inMonth(const std::optional<CalendarDate> &date, const AskedMonth &month) {
    return date && date->curMonth == month.month && date->curYear == month.year;
}

// A whole number of millimetres as a 16-bit unsigned value; nothing for other text.
std::optional<int> millimetres(const QString &text) {
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok);
    if (!ok || value > 0xFFFF)
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

int certificateDaysInMonth(int month, int year) {
    return daysInMonth(year, month);
}

std::optional<int> monthRecordIndex(const ObservationStore &store, const AskedMonth &month) {
    const auto &records = store.records();
    for (size_t i = 0; i < records.size(); ++i)
        if (!isPlaceholderRecord(records[i]) && inMonth(store.dateOf(records[i]), month))
            return static_cast<int>(i);
    return std::nullopt;
}

CertificateHeader certificateHeader(const InstrumentLines &instrument) {
    CertificateHeader h;
    h.station = instrument[5];
    h.instrument = instrument[1];
    h.aperture = instrument[2];
    h.eyepiece = instrument[3];
    h.objectiveFocus = instrument[4];
    const auto focus = millimetres(h.objectiveFocus);
    const auto eyepiece = millimetres(h.eyepiece);
    if (focus && eyepiece && *eyepiece != 0)
        h.magnification = *focus / *eyepiece;
    return h;
}

CertificateModel buildCertificate(const ObservationStore &store, const AskedMonth &month,
                                  const InstrumentLines &instrument) {
    CertificateModel m;
    m.month = month;
    m.header = certificateHeader(instrument);
    m.needsInstrument = m.header.station.trimmed().isEmpty();
    m.daysInMonth = certificateDaysInMonth(month.month, month.year);
    m.days.resize(static_cast<size_t>(m.daysInMonth));
    for (int d = 1; d <= m.daysInMonth; ++d)
        m.days[static_cast<size_t>(d - 1)].day = d;

    const auto &records = store.records();
    for (size_t i = 0; i < records.size(); ++i) {
        const ObservationRecord &record = records[i];
        if (isPlaceholderRecord(record))
            continue; // no observation, no day
        const auto date = store.dateOf(record);
        if (!inMonth(date, month) || date->curDay < 1 || date->curDay > m.daysInMonth)
            continue;
        CertificateDay &day = m.days[static_cast<size_t>(date->curDay - 1)];
        if (day.observed()) {
            ++m.skippedRecords;
            continue;
        }
        day.recordNumber = static_cast<int>(i) + 1;
        day.timeUT = record.summary.timeUT;
        for (const CertificateColumnSource &column : kColumnSources)
            day.values[column.value] = column.read(record);
        day.observer = readText(record.observer);
        for (int v = 0; v < CertificateValueCount; ++v)
            m.sums[v] += day.values[v];
        ++m.observingDays;
    }

    if (m.observingDays > 0) {
        for (int v = 0; v < CertificateValueCount; ++v)
            m.means[v] = static_cast<double>(m.sums[v]) / m.observingDays;
        m.observedShare = m.observingDays * kPercent / m.daysInMonth;
    }
    return m;
}

} // namespace orvanek
