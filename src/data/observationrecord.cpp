#include "data/observationrecord.h"

#include "data/codepage1250.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace orvanek {

ObservationRecord zeroRecord() {
    ObservationRecord r;
    std::memset(&r, 0, sizeof r);
    return r;
}

template <int N> QString readText(const StoredText<N> &field) {
    return decode1250(field.chars, field.usedLength());
}

template <int N> void writeText(StoredText<N> &field, const QString &text) {
    const QByteArray bytes = encode1250(text).left(N);
    std::memcpy(field.chars, bytes.constData(), static_cast<size_t>(bytes.size()));
    field.length = static_cast<uint8_t>(bytes.size());
}

template QString readText<3>(const StoredText<3> &);
template QString readText<10>(const StoredText<10> &);
template QString readText<20>(const StoredText<20> &);
template QString readText<30>(const StoredText<30> &);
template QString readText<39>(const StoredText<39> &);
template void writeText<3>(StoredText<3> &, const QString &);
template void writeText<10>(StoredText<10> &, const QString &);
template void writeText<20>(StoredText<20> &, const QString &);
template void writeText<30>(StoredText<30> &, const QString &);
template void writeText<39>(StoredText<39> &, const QString &);

QString specialMarkText() {
    return QStringLiteral("zvlášťní");
}

} // namespace orvanek

#include "data/dates.h"

namespace orvanek {
std::optional<CalendarDate> recordDate(const ObservationRecord &record, int pivotYear) {
    return parseDate(
        std::string_view(record.dateText.chars, static_cast<size_t>(record.dateText.usedLength())),
        pivotYear);
}

QString printableText(const QString &text, qsizetype limit) {
    QString shown;
    shown.reserve(std::min(text.size(), limit) + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i >= limit) {
            shown += QChar(0x2026); // …
            break;
        }
        const QChar c = text[i];
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (c.category() == QChar::Other_Control || c.unicode() == 0x2028 ||
                 c.unicode() == 0x2029 || (c.unicode() >= 0x202a && c.unicode() <= 0x202e) ||
                 (c.unicode() >= 0x2066 && c.unicode() <= 0x2069))
            // C1 controls, line separators and the marks that turn text round in a terminal
            shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString inputExcerpt(QStringView text) {
    // One character beyond the excerpt tells printableText that there is more.
    return printableText(text.left(kExcerptLength + 1).toString(), kExcerptLength);
}

QString inputExcerpt(QByteArrayView bytes) {
    // A UTF-8 character takes at most four bytes.
    constexpr qsizetype kBytesPerCharacter = 4;
    const QByteArrayView head =
        bytes.first(std::min(bytes.size(), (kExcerptLength + 1) * kBytesPerCharacter));
    QString text = QString::fromUtf8(head);
    if (head.size() < bytes.size() && text.size() <= kExcerptLength)
        text += QChar(0x2026); // more bytes than the head shows
    return inputExcerpt(QStringView(text));
}

QString unreadableDateText(size_t number, const ObservationRecord &record) {
    return QCoreApplication::translate("Store", "Záznam %1: „%2“ není platné datum")
        .arg(number)
        .arg(inputExcerpt(readText(record.dateText)));
}
} // namespace orvanek
