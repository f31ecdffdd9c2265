#pragma once

#include <QAbstractListModel>

namespace orvanek {

class ObservationStore;

// One line per record, made when the list asks for it: the record number "%5d" and the
// date "     dd mm yyyy". Nothing is kept per line, so 100 000 records cost nothing.
class DateListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit DateListModel(const ObservationStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Line k (0-based) for record k + 1.
    QString lineText(int row) const;
    void rebuild();

  private:
    const ObservationStore &store_;
    int rows_ = 0;
};

} // namespace orvanek
