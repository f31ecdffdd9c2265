#pragma once

#include "views/common/namedactions.h"
#include "views/silso/silsocomparison.h"
#include "views/silso/silsofile.h"

#include <QWidget>

#include <optional>

class QAction;

namespace orvanek {

class Dialogs;
class ObservationStore;
class SilsoCanvas;

// Asks for a SILSO daily file (Dialogs::openFileName, starting in the data directory),
// reads it and checks that it has a day in common with the data. A file that cannot be
// read, is in neither layout or has no common day is said in a message; then nothing.
std::optional<SilsoFile> chooseSilsoFile(const ObservationStore &store, Dialogs &dialogs);

// "Grafy › Srovnání s SILSO…": the observer's own monthly R (times the overall k) and
// SILSO's monthly mean on the same days as two curves, and each month's k about the
// overall k. It follows the store: a new drawing changes the comparison at once.
class SilsoWindow : public QWidget {
    Q_OBJECT

  public:
    SilsoWindow(const ObservationStore &store, Dialogs &dialogs, SilsoFile file,
                QWidget *parent = nullptr);
    ~SilsoWindow() override;

    const SilsoFile &file() const { return file_; }
    const SilsoComparison &comparison() const { return comparison_; }
    QWidget *canvas() const;
    // souborsilso, tisksilso, zavritsilso
    QAction *action(const QString &name) const;

    QSize sizeHint() const override;

  public slots:
    // "Jiný soubor…": another SILSO file, chosen and checked as the first one was.
    void souborClick();
    // "Tisk": one page, A4 landscape, through the one print path.
    void tiskClick();
    void zavritClick();

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void recordsChanged();
    void updateCaption();

    const ObservationStore &store_;
    Dialogs &dialogs_;
    SilsoFile file_;
    SilsoComparison comparison_;
    SilsoCanvas *canvas_ = nullptr;
    NamedActions actions_;
};

} // namespace orvanek
