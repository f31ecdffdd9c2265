#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace orvanek {

// A calendar month the user names for the certificate: "2.2000" is February 2000.
struct AskedMonth {
    int month = 0; // 1..12
    int year = 0;  // four-digit year
    // year x 100 + month, the key records are matched by.
    int key() const { return year * 100 + month; }
    friend bool operator==(const AskedMonth &, const AskedMonth &) = default;
};

// The prompt that asks for the month.
inline QString monthPromptCaption() {
    return QCoreApplication::translate("MonthPrompt", "Zadaní");
}
inline QString monthPromptText() {
    return QCoreApplication::translate("MonthPrompt", "Zadej měsíc a rok ? (2.2000)");
}

// Reads the prompt's answer: the month, a '.' (or, when the text has no '.', a ','), the
// year; "2.2000", "2,2000" and "02.2000" all name February 2000. Blanks around the numbers
// are allowed. A two-digit year is read around pivotYear as dates are (the 50 years before
// it and the 49 after). Anything else is refused: no separator, a month outside 1..12, a
// missing or non-numeric part, more than four year digits, text left over.
std::optional<AskedMonth> parseMonthPrompt(const QString &text, int pivotYear);

} // namespace orvanek
