#include "reports/observerstable.h"

#include "data/observationstore.h"

#include <QHash>

#include <algorithm>
#include <climits>
#include <string_view>
#include <unordered_map>

namespace orvanek {

ObserverTable buildObserverTable(const ObservationStore &store) {
    ObserverTable table;
    for (const QString &name : store.observerNames()) {
        if (name.isEmpty())
            break;
        table.observers.push_back(name);
    }

    const auto &records = store.records();
    // Each record's observer row (-1: none) and year, found once.
    std::vector<std::pair<int, int>> rowAndYear(records.size(), {-1, 0});
    // The first slot of a name wins, as a name could in principle be listed twice.
    QHash<QString, int> rowOfName;
    for (size_t k = table.observers.size(); k-- > 0;)
        rowOfName[table.observers[k]] = static_cast<int>(k);
    // A data set has a handful of distinct name fields: each is decoded and looked up once,
    // then found by its stored bytes.
    std::unordered_map<std::string_view, int> rowOfStoredName;
    auto rowOf = [&](const ObservationRecord &r) {
        const std::string_view stored(r.observer.chars,
                                      static_cast<size_t>(r.observer.usedLength()));
        auto found = rowOfStoredName.find(stored);
        if (found == rowOfStoredName.end())
            found =
                rowOfStoredName.emplace(stored, rowOfName.value(readText(r.observer), -1)).first;
        return found->second;
    };
    int first = INT_MAX;
    int last = INT_MIN;
    for (size_t i = 0; i < records.size(); ++i) {
        if (isPlaceholderRecord(records[i]))
            continue; // the placeholder of a new data set is no drawing
        ++table.grandTotal;
        const auto date = store.dateOf(records[i]);
        if (!date)
            continue;
        first = std::min(first, static_cast<int>(date->curYear));
        last = std::max(last, static_cast<int>(date->curYear));
        rowAndYear[i] = {rowOf(records[i]), date->curYear};
    }
    if (first <= last) {
        table.firstYear = first;
        table.lastYear = last;
    }

    const size_t years = static_cast<size_t>(table.yearCount());
    table.counts.assign(table.observers.size(), std::vector<int>(years, 0));
    for (const auto &[row, year] : rowAndYear)
        if (row >= 0)
            ++table.counts[static_cast<size_t>(row)][static_cast<size_t>(year - table.firstYear)];

    table.observerTotals.assign(table.observers.size(), 0);
    table.yearTotals.assign(years, 0);
    for (size_t r = 0; r < table.observers.size(); ++r) {
        for (size_t y = 0; y < years; ++y) {
            table.observerTotals[r] += table.counts[r][y];
            table.yearTotals[y] += table.counts[r][y];
        }
    }
    return table;
}

QString observerCountText(int count, bool emptyWhenZero) {
    if (count == 0 && emptyWhenZero)
        return {};
    return QString::number(count).rightJustified(5, QLatin1Char(' '));
}

std::vector<QStringList> observerTableCsvRows(const ObserverTable &table) {
    std::vector<QStringList> rows;
    QStringList header{QStringLiteral("observer")};
    for (int year = table.firstYear; year <= table.lastYear; ++year)
        header << QString::number(year);
    header << observerTotalsHeading();
    rows.push_back(header);

    for (size_t r = 0; r < table.observers.size(); ++r) {
        QStringList fields{table.observers[r]};
        for (int count : table.counts[r])
            fields << (count == 0 ? QString() : QString::number(count));
        fields << QString::number(table.observerTotals[r]);
        rows.push_back(fields);
    }

    QStringList totals{observerTotalsHeading()};
    for (int count : table.yearTotals)
        totals << QString::number(count);
    totals << QString::number(table.grandTotal);
    rows.push_back(totals);
    return rows;
}

} // namespace orvanek
