#pragma once

#include <QWidget>

class QListView;

namespace orvanek {

class DateListModel;
class ObservationStore;

// "Výběr datumu": every record by number and date; a click makes it current (the one
// change it makes to the store). It lives for the whole run and refuses to be closed while
// the views are pinned.
class DateListWindow : public QWidget {
    Q_OBJECT

  public:
    DateListWindow(ObservationStore &store, QWidget *parent = nullptr);

    // Rebuilds the list from the store.
    void zadatlist();
    void ListBox1Click(int row);
    // Selects the line of the current record (or none past the end) without a click.
    void selectLine(int row);
    int selectedLine() const;
    QString lineText(int row) const;
    int lineCount() const;
    QListView *listBox() const { return list_; }

    void setViewsPinned(bool pinned) { viewsPinned_ = pinned; }

  signals:
    void escapePressed();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    ObservationStore &store_;
    DateListModel *model_;
    QListView *list_; // ListBox1
    bool viewsPinned_ = false;
    bool selecting_ = false;
};

} // namespace orvanek
