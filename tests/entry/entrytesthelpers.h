#pragma once

#include "data/observationrecord.h"
#include "data/observationstore.h"
#include "datedrecord.h"
#include "entry/entryform.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace orvanek::testing {

// Puts the records into the store as a loaded data set would be, with record
// `current` (0-based) current and the drawing setup given.
void fillStore(ObservationStore &store, const std::vector<ObservationRecord> &records,
               double drawingRadius, bool heliographicEntry = false, int current = -1);

// A row of the group table with the given columns (numbered from 1) filled.
QStringList groupRow(std::initializer_list<std::pair<int, QString>> cells);
// A row of the faculae table: U1, V1, … as given, the rest empty.
QStringList faculaRow(const QStringList &cells);

// A form as an observer fills it: time 1200, every other header number 0, observer
// "Jan Novák", station "Praha", the counts from the tables.
EntryForm makeForm(EntryMode mode, const QString &date, const QList<QStringList> &groups = {},
                   const QList<QStringList> &faculae = {});

// Everything a commit may change, to show that a refused one changed nothing.
struct StoreSnapshot {
    explicit StoreSnapshot(const ObservationStore &store);
    QByteArray records;
    QByteArray current;
    int currentIndex;
    bool dataModified;
    std::array<QString, kObserverSlots> observerNames;
    bool operator==(const StoreSnapshot &) const = default;
};

} // namespace orvanek::testing
