#include "views/silso/silsofile.h"

#include "data/observationrecord.h"
#include "data/safefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <string_view>

namespace orvanek {

namespace {

// The texts of the SILSO file's reader, translated in the context "SilsoFile".
struct SilsoFileTexts {
    Q_DECLARE_TR_FUNCTIONS(SilsoFile)
};

// The fields used, by their place in either layout.
constexpr int kYearField = 0;
constexpr int kMonthField = 1;
constexpr int kDayField = 2;
constexpr int kTotalField = 4;
constexpr int kNorthField = 5;
constexpr int kSouthField = 6;
// SILSO's monthly file has this many: a common mistake worth naming.
constexpr int kSilsoMonthlyFields = 7;
// The file's mark of a day without a value.
constexpr double kNoValue = -1;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::optional<double> number(std::string_view s) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    // from_chars also reads "inf" and "nan", which no count can be.
    if (s.empty() || error != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> wholeNumber(std::string_view s) {
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

class Reader {
  public:
    explicit Reader(const QString &name) : name_(name) {}

    SilsoReadResult read(const QByteArray &text);

  private:
    SilsoReadResult fail(int line, const QString &what) const {
        return {std::nullopt,
                SilsoFileTexts::tr("Soubor %1, řádek %2: %3").arg(name_).arg(line).arg(what)};
    }
    static QString quoted(std::string_view field) {
        return SilsoFileTexts::tr("„%1“").arg(
            inputExcerpt(QByteArrayView(field.data(), qsizetype(field.size()))));
    }

    QString name_;
};

SilsoReadResult Reader::read(const QByteArray &text) {
    SilsoFile file;
    file.name = name_;
    file.days.reserve(static_cast<size_t>(text.size() / 36)); // about the length of a line
    int expectedFields = 0;
    bool ordered = true;
    std::array<std::string_view, kSilsoHemisphericFields + 1> fields;
    const std::string_view all(text.constData(), static_cast<size_t>(text.size()));
    // A file saved again by a spreadsheet may start with the UTF-8 byte order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    size_t start =
        all.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
    int lineNumber = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string_view::npos)
            end = all.size();
        const std::string_view line = all.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (trimmed(line).empty())
            continue;

        int count = 0;
        size_t from = 0;
        while (true) {
            const size_t semicolon = line.find(';', from);
            const std::string_view field =
                line.substr(from, semicolon == std::string_view::npos ? std::string_view::npos
                                                                      : semicolon - from);
            if (count < static_cast<int>(fields.size()))
                fields[static_cast<size_t>(count)] = trimmed(field);
            ++count;
            if (semicolon == std::string_view::npos)
                break;
            from = semicolon + 1;
        }
        if (expectedFields == 0) {
            if (count != kSilsoTotalFields && count != kSilsoHemisphericFields) {
                QString what = SilsoFileTexts::tr("počet polí %1; denní soubor SILSO (SN_d_tot) "
                                                  "jich má %2, hemisférický (SN_d_hem) %3.")
                                   .arg(count)
                                   .arg(kSilsoTotalFields)
                                   .arg(kSilsoHemisphericFields);
                if (count == kSilsoMonthlyFields)
                    what +=
                        SilsoFileTexts::tr(" Měsíční soubor (SN_m_tot) nestačí, je třeba denní.");
                return fail(lineNumber, what);
            }
            expectedFields = count;
            file.kind = count == kSilsoTotalFields ? SilsoKind::Total : SilsoKind::Hemispheric;
        } else if (count != expectedFields) {
            return fail(lineNumber,
                        SilsoFileTexts::tr("počet polí %1 místo %2 jako na prvním řádku.")
                            .arg(count)
                            .arg(expectedFields));
        }

        int dateParts[3] = {0, 0, 0};
        for (int f : {kYearField, kMonthField, kDayField}) {
            const auto value = wholeNumber(fields[static_cast<size_t>(f)]);
            if (!value)
                return fail(lineNumber, quoted(fields[static_cast<size_t>(f)]) +
                                            SilsoFileTexts::tr(" není celé číslo."));
            dateParts[f] = *value;
        }
        const CalendarDate date{static_cast<uint16_t>(std::clamp(dateParts[0], 0, 0xFFFF)),
                                static_cast<uint16_t>(std::clamp(dateParts[1], 0, 0xFFFF)),
                                static_cast<uint16_t>(std::clamp(dateParts[2], 0, 0xFFFF))};
        if (dateParts[0] != date.curYear || dateParts[1] != date.curMonth ||
            dateParts[2] != date.curDay || !isValidDate(date))
            return fail(lineNumber, SilsoFileTexts::tr("datum %1.%2.%3 neexistuje.")
                                        .arg(dateParts[2])
                                        .arg(dateParts[1])
                                        .arg(dateParts[0]));
        SilsoDay day;
        day.day = serialDay(date);
        day.date = date;
        day.line = lineNumber;
        const std::pair<int, double *> values[] = {
            {kTotalField, &day.total}, {kNorthField, &day.north}, {kSouthField, &day.south}};
        const size_t used = file.kind == SilsoKind::Total ? 1 : std::size(values);
        for (size_t v = 0; v < used; ++v) {
            const std::string_view field = fields[static_cast<size_t>(values[v].first)];
            const auto value = number(field);
            if (!value)
                return fail(lineNumber, quoted(field) + SilsoFileTexts::tr(" není číslo."));
            // A value no sunspot number can have is a broken line, not a day to compare.
            if (*value != kNoValue && (*value < 0 || *value > kHighestSunspotNumber))
                return fail(lineNumber,
                            QCoreApplication::translate(
                                "Silso", "%1 není relativní číslo (%2 pro den bez hodnoty, "
                                         "jinak 0 až %3).")
                                .arg(quoted(field))
                                .arg(kNoValue)
                                .arg(kHighestSunspotNumber));
            *values[v].second = *value;
        }
        if (!file.days.empty() && day.day <= file.days.back().day)
            ordered = false;
        if (day.total >= 0)
            file.days.push_back(day);
    }
    file.lines = lineNumber;
    if (expectedFields == 0)
        return {std::nullopt,
                SilsoFileTexts::tr("Soubor %1 neobsahuje žádný řádek s daty.").arg(name_)};
    if (!ordered)
        std::stable_sort(file.days.begin(), file.days.end(),
                         [](const SilsoDay &a, const SilsoDay &b) { return a.day < b.day; });
    const auto twice =
        std::adjacent_find(file.days.begin(), file.days.end(),
                           [](const SilsoDay &a, const SilsoDay &b) { return a.day == b.day; });
    if (twice != file.days.end())
        return fail(std::next(twice)->line, SilsoFileTexts::tr("den %1.%2.%3 už je na řádku %4.")
                                                .arg(twice->date.curDay)
                                                .arg(twice->date.curMonth)
                                                .arg(twice->date.curYear)
                                                .arg(twice->line));
    return {std::move(file), QString()};
}

} // namespace

SilsoReadResult parseSilsoFile(const QByteArray &text, const QString &name) {
    return Reader(name).read(text);
}

SilsoReadResult readSilsoFile(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    // A regular file of a sane size only: a pipe or /dev/zero would be read for ever.
    if (!QFileInfo::exists(path))
        return {
            std::nullopt,
            SilsoFileTexts::tr("Soubor %1 nelze otevřít: %2").arg(path, systemCauseText(ENOENT))};
    QFile file;
    if (const auto refused = openForReading(file, path, kLargestTextFileBytes))
        return {std::nullopt, *refused};
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, fileProblemText(path, file)};
    return parseSilsoFile(text, name);
}

} // namespace orvanek
