#include "app/datelistwindow.h"

#include "app/datelistmodel.h"
#include "data/observationstore.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QListView>
#include <QShowEvent>
#include <QVBoxLayout>

namespace orvanek {

DateListWindow::DateListWindow(ObservationStore &store, QWidget *parent)
    : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(tr("Výběr datumu"));

    model_ = new DateListModel(store_, this);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setModel(model_);
    list_->setUniformItemSizes(true); // lets the view skip measuring every line
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Numbers are right-aligned with spaces, which needs a font of one width for all.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    list_->setFont(font);
    list_->installEventFilter(this); // the window sees key strokes before the list
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_);

    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!selecting_ && current.isValid())
                    ListBox1Click(current.row());
            });
    connect(list_, &QListView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            ListBox1Click(index.row()); // the line already selected is copied again
    });
    connect(&store_, &ObservationStore::recordsChanged, this, [this] { model_->rebuild(); });
    connect(&store_, &ObservationStore::currentRecordChanged, this,
            [this](int index) { selectLine(index); });

    zadatlist();
    // At start the line of the record the drawing shows is selected, so that Up and Down
    // move from there.
    selectLine(store_.currentIndex());
}

void DateListWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // Scrolling before the list had its size may leave the line out of sight.
    if (const QModelIndex current = list_->currentIndex(); current.isValid())
        list_->scrollTo(current);
}

void DateListWindow::zadatlist() {
    model_->rebuild();
}

void DateListWindow::ListBox1Click(int row) {
    store_.selectRecord(row);
}

void DateListWindow::selectLine(int row) {
    selecting_ = true;
    if (row >= 0 && row < model_->rowCount()) {
        const QModelIndex index = model_->index(row);
        list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        list_->scrollTo(index);
    } else {
        list_->selectionModel()->clear();
    }
    selecting_ = false;
}

int DateListWindow::selectedLine() const {
    const QModelIndexList rows = list_->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString DateListWindow::lineText(int row) const {
    return model_->lineText(row);
}

int DateListWindow::lineCount() const {
    return model_->rowCount();
}

bool DateListWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == list_ && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        emit escapePressed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DateListWindow::keyReleaseEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape)
        emit escapePressed();
    QWidget::keyReleaseEvent(event);
}

void DateListWindow::closeEvent(QCloseEvent *event) {
    if (viewsPinned_)
        event->ignore();
    else
        event->accept();
}

} // namespace orvanek
