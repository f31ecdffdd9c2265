#include "views/silso/silsowindow.h"

#include "data/dialogs.h"
#include "data/observationstore.h"
#include "views/common/childwindow.h"
#include "views/common/printview.h"
#include "views/silso/silsopainter.h"

#include "views/common/viewcanvas.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

namespace orvanek {

// The chart, one widget pixel per view pixel, laid out afresh at the canvas' size.
class SilsoCanvas : public ViewCanvas {
  public:
    explicit SilsoCanvas(SilsoWindow *window)
        : ViewCanvas(QStringLiteral("srovnani"), window), window_(window) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        paintSilsoChart(painter, silsoChart(window_->comparison(), QSizeF(size())));
    }

  private:
    SilsoWindow *window_;
};

std::optional<SilsoFile> chooseSilsoFile(const ObservationStore &store, Dialogs &dialogs) {
    const auto path = dialogs.openFileName(
        SilsoWindow::tr("Srovnání s SILSO – denní soubor (SN_d_tot nebo SN_d_hem)"),
        store.dataDirectory(), SilsoWindow::tr("Soubory SILSO (*.csv *.txt);;Všechny soubory (*)"));
    if (!path || path->isEmpty())
        return std::nullopt;
    SilsoReadResult read = readSilsoFile(*path);
    if (!read.file) {
        dialogs.information(read.message);
        return std::nullopt;
    }
    const SilsoComparison comparison = compareWithSilso(store, *read.file);
    if (!comparison.comparable()) {
        dialogs.information(comparison.problem);
        return std::nullopt;
    }
    return std::move(read.file);
}

SilsoWindow::SilsoWindow(const ObservationStore &store, Dialogs &dialogs, SilsoFile file,
                         QWidget *parent)
    : QWidget(parent), store_(store), dialogs_(dialogs), file_(std::move(file)) {
    setObjectName(QStringLiteral("TFormSilso"));
    canvas_ = new SilsoCanvas(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(canvas_);

    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const struct {
        const char *name;
        QString caption;
        void (SilsoWindow::*handler)();
    } items[] = {
        {"souborsilso", tr("Jiný &soubor…"), &SilsoWindow::souborClick},
        {"tisksilso", tr("&Tisk"), &SilsoWindow::tiskClick},
        {"zavritsilso", tr("&Zavřít"), &SilsoWindow::zavritClick},
    };
    for (const auto &item : items) {
        QAction *a = actions_.add(this, item.name, item.caption);
        connect(a, &QAction::triggered, this, item.handler);
        bar->addAction(a);
    }
    layout->setMenuBar(bar);

    connect(&store_, &ObservationStore::recordsChanged, this, &SilsoWindow::recordsChanged);
    recordsChanged();
}

SilsoWindow::~SilsoWindow() = default;

QWidget *SilsoWindow::canvas() const {
    return canvas_;
}

QAction *SilsoWindow::action(const QString &name) const {
    return actions_.find(name);
}

QSize SilsoWindow::sizeHint() const {
    return {900, 620};
}

void SilsoWindow::recordsChanged() {
    comparison_ = compareWithSilso(store_, file_);
    updateCaption();
    canvas_->update();
}

void SilsoWindow::updateCaption() {
    setWindowTitle(silsoCaption(comparison_));
}

void SilsoWindow::souborClick() {
    std::optional<SilsoFile> other = chooseSilsoFile(store_, dialogs_);
    if (!other)
        return; // the file shown stays
    file_ = std::move(*other);
    recordsChanged();
}

void SilsoWindow::tiskClick() {
    if (!comparison_.comparable()) {
        dialogs_.information(comparison_.problem);
        return;
    }
    PrintRequest request;
    request.title = silsoCaption(comparison_);
    request.pdfFileName = tr("SrovnaniSILSO.pdf");
    request.page = silsoPage();
    request.pages = [this](PrintJob &job) { return printSilsoChart(job, comparison_); };
    printView(dialogs_, store_.dataDirectory(), request);
}

void SilsoWindow::zavritClick() {
    closeView(this);
}

void SilsoWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    emit closed();
}

} // namespace orvanek
