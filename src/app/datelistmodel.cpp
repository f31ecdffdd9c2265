#include "app/datelistmodel.h"

#include "data/dates.h"
#include "data/numberformat.h"
#include "data/observationstore.h"

namespace orvanek {

DateListModel::DateListModel(const ObservationStore &store, QObject *parent)
    : QAbstractListModel(parent), store_(store), rows_(store.recordCount()) {}

int DateListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant DateListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= store_.recordCount())
        return {};
    return lineText(index.row());
}

QString DateListModel::lineText(int row) const {
    const ObservationRecord &record = store_.record(row + 1);
    const auto date = store_.dateOf(record);
    const QString dateText = date ? formatDate(*date, u"     dd mm yyyy")
                                  : QStringLiteral("     ") + readText(record.dateText);
    return (formatInt5(row + 1) + dateText).left(24);
}

void DateListModel::rebuild() {
    beginResetModel();
    rows_ = store_.recordCount();
    endResetModel();
}

} // namespace orvanek
