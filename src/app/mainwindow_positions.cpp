// The main window's notice after a commit: the groups of the drawing just stored that the
// drawings of the days around it place elsewhere, or what is wrong with the drawing as a
// whole (its time, its date, a mirrored drawing), in a panel under the views. It asks
// nothing; the record stays as it was typed, and a click on a line shows the drawing.
#include "app/mainwindow.h"

#include "data/observationstore.h"
#include "data/positioncheck.h"

#include <QDockWidget>
#include <QListWidget>

#include <algorithm>

namespace orvanek {

void MainWindow::createPositionPanel() {
    positionPanel_ = new QDockWidget(this);
    positionPanel_->setObjectName(QStringLiteral("polohaskupin"));
    positionPanel_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    positionList_ = new QListWidget(positionPanel_);
    positionList_->setObjectName(QStringLiteral("podezreleskupiny"));
    positionList_->setToolTip(tr("Klepnutím ukážete zákres"));
    positionPanel_->setWidget(positionList_);
    addDockWidget(Qt::BottomDockWidgetArea, positionPanel_);
    positionPanel_->hide();

    const auto showRecord = [this](const QListWidgetItem *item) {
        const int number = item->data(Qt::UserRole).toInt();
        if (number >= 1 && number <= store_.recordCount())
            store_.selectRecord(number - 1);
    };
    connect(positionList_, &QListWidget::itemClicked, this, showRecord);
    connect(positionList_, &QListWidget::itemActivated, this, showRecord);
    // A change of the records may move the ones the lines point to; a commit fills the
    // list again right after.
    connect(&store_, &ObservationStore::recordsChanged, this, [this] {
        positionList_->clear();
        positionPanel_->hide();
    });
}

void MainWindow::showPositionNotice(const ObservationRecord &record) {
    const PositionReport report = checkRecordPositions(store_, record);
    positionList_->clear();
    if (report.drawings.empty() && report.findings.empty()) {
        positionPanel_->hide();
        return;
    }
    positionPanel_->setWindowTitle(tr("Zákres %1: skupiny jinde, než čekám podle sousedních dnů")
                                       .arg(readText(record.dateText)));
    // The drawing as a whole first: when it is wrong, its groups are not listed.
    for (const DrawingFault &f : report.drawings) {
        auto *item = new QListWidgetItem(drawingFaultText(f), positionList_);
        item->setData(Qt::UserRole, f.record);
    }
    for (const PositionFinding &f : report.findings) {
        auto *item = new QListWidgetItem(positionFindingText(f), positionList_);
        item->setData(Qt::UserRole, f.record);
    }
    positionPanel_->show();
    // A few lines high, so that the views keep their room; more lines scroll. Above the list
    // the panel's own title, at least a line of text.
    constexpr int kShownLines = 4;
    const int lines = std::min(positionList_->count(), kShownLines);
    const int title = std::max(positionPanel_->height() - positionList_->height(),
                               2 * positionPanel_->fontMetrics().height());
    const int height =
        positionList_->sizeHintForRow(0) * lines + 2 * positionList_->frameWidth() + title;
    resizeDocks({positionPanel_}, {height}, Qt::Vertical);
}

QStringList MainWindow::positionNotices() const {
    QStringList lines;
    if (!positionPanel_->isHidden())
        for (int i = 0; i < positionList_->count(); ++i)
            lines << positionList_->item(i)->text();
    return lines;
}

} // namespace orvanek
