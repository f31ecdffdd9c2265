#include "cli/csvwriter.h"

namespace orvanek {

QString csvField(const QString &field) {
    if (!field.contains(QLatin1Char(';')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
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
