#include "entrytesthelpers.h"

namespace orvanek::testing {

void fillStore(ObservationStore &store, const std::vector<ObservationRecord> &records,
               double drawingRadius, bool heliographicEntry, int current) {
    for (const ObservationRecord &r : records)
        store.appendRecord(r);
    store.setDrawingSetup(drawingRadius, heliographicEntry);
    store.selectRecord(current >= 0 ? current : static_cast<int>(records.size()) - 1);
    store.setModified(false);
    for (const ObservationRecord &r : records)
        store.collectObserver(readText(r.observer));
}

QStringList groupRow(std::initializer_list<std::pair<int, QString>> cells) {
    QStringList row(kGroupColumns);
    for (const auto &[column, text] : cells)
        row[column - 1] = text;
    return row;
}

QStringList faculaRow(const QStringList &cells) {
    QStringList row(kFaculaColumns);
    for (qsizetype i = 0; i < cells.size(); ++i)
        row[i] = cells[i];
    return row;
}

EntryForm makeForm(EntryMode mode, const QString &date, const QList<QStringList> &groups,
                   const QList<QStringList> &faculae) {
    EntryForm form;
    form.mode = mode;
    form.date = date;
    form.observer = QStringLiteral("Jan Novák");
    form.station = QStringLiteral("Praha");
    form.timeUT = QStringLiteral("1200");
    for (QString *field :
         {&form.conditions, &form.imageQuality, &form.seeingQuality, &form.centralGroups,
          &form.centralSpots, &form.centralR, &form.faculaTotal})
        *field = QStringLiteral("0");
    form.specialMark = mode == EntryMode::Special ? specialMarkText() : QString();
    form.groups = groups;
    form.faculae = faculae;
    form.groupCount = QString::number(groups.size());
    form.faculaFieldCount = QString::number(faculae.size());
    return form;
}

StoreSnapshot::StoreSnapshot(const ObservationStore &store)
    : records(reinterpret_cast<const char *>(store.records().data()),
              static_cast<qsizetype>(store.records().size() * sizeof(ObservationRecord))),
      current(recordBytes(store.currentRecord())), currentIndex(store.currentIndex()),
      dataModified(store.dataModified()), observerNames(store.observerNames()) {}

} // namespace orvanek::testing
