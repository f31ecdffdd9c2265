#include "cli/csvwriter.h"

#include "data/observationrecord.h"

namespace orvanek {

QString csvField(const QString &text) {
    // A damaged record's control bytes would break a line or a terminal: written as \xNN.
    const QString field = printableText(text, text.size());
    if (!field.contains(QLatin1Char(';')) && !field.contains(QLatin1Char('"')))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList &fields) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(';');
        line += csvField(fields[i]);
    }
    return line;
}

QString fixed6(double value) {
    return QString::number(value, 'f', 6);
}

} // namespace orvanek
