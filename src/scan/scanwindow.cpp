#include "scan/scanwindow.h"

#include "data/dates.h"
#include "data/dialogs.h"
#include "data/numberformat.h"
#include "data/observationstore.h"
#include "entry/entrydialog.h"
#include "scan/scancanvas.h"
#include "scan/scanentry.h"
#include "scan/scanimage.h"
#include "views/common/childwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>
#include <functional>
#include <numbers>

namespace orvanek {

namespace {

// The zoom the buttons and keys step by.
constexpr double kZoomStep = 1.25;
// A drawing without a limb found gets a circle to drag into place: this part of the image's
// shorter side, round its middle.
constexpr double kStartingRadius = 0.4;
// The window beside the entry dialog.
constexpr QSize kCompanionSize{640, 720};
constexpr int kLeastCompanionWidth = 360;
constexpr int kCompanionGap = 8;
// A click this many screen pixels from a spot's edge still hits it.
constexpr double kSpotHitPx = 6;

QString turnText(double degrees) {
    return formatNumber(degrees, "0.00");
}

// The entry dialog's window for the scan: it gives the panel back whenever it goes, so that
// the panel never goes down with the dialog.
class ScanCompanion : public QWidget {
  public:
    ScanCompanion(QWidget *dialog, std::function<void()> giveBack)
        : QWidget(dialog, Qt::Window), giveBack_(std::move(giveBack)) {
        setObjectName(QStringLiteral("skenkzadani"));
    }
    ~ScanCompanion() override {
        if (giveBack_)
            giveBack_();
    }
    // The panel is back already.
    void disarm() { giveBack_ = {}; }

  private:
    std::function<void()> giveBack_;
};

} // namespace

ScanBeside scanBesideDialog(const QRect &dialog, const QRect &room) {
    ScanBeside b;
    const int height = std::min(kCompanionSize.height(), room.height());
    const int wanted = dialog.width() + kCompanionGap + kCompanionSize.width();
    // The pair side by side in the middle where the screen holds them; else the dialog at the
    // left edge and the scan in what is left, down to kLeastCompanionWidth, over the
    // screen's right part only where even that is not left.
    int left = room.left() + std::max(0, (room.width() - wanted) / 2);
    int width = kCompanionSize.width();
    if (wanted > room.width()) {
        left = room.left();
        width = std::max(kLeastCompanionWidth, room.width() - dialog.width() - kCompanionGap);
    }
    b.dialog = QPoint(left, std::clamp(dialog.top(), room.top(),
                                       std::max(room.top(), room.bottom() - dialog.height())));
    const int scanLeft = std::min(left + dialog.width() + kCompanionGap, room.right() + 1 - width);
    const int top =
        std::clamp(b.dialog.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height));
    b.scan = QRect(scanLeft, top, std::min(width, room.width()), height);
    return b;
}

std::optional<ChosenScan> chooseScan(const ObservationStore &store, Dialogs &dialogs) {
    const auto path = dialogs.openFileName(QObject::tr("Ze skenu – obrázek zákresu"),
                                           store.dataDirectory(), scanImageFilter());
    if (!path || path->isEmpty())
        return std::nullopt;
    QString problem;
    QImage grey = readScanImage(*path, &problem);
    if (grey.isNull()) {
        dialogs.information(problem);
        return std::nullopt;
    }
    return ChosenScan{*path, std::move(grey)};
}

ScanWindow::ScanWindow(const ObservationStore &store, Dialogs &dialogs, ChosenScan scan,
                       QWidget *parent)
    : QWidget(parent), store_(store), dialogs_(dialogs), path_(std::move(scan.path)),
      image_(std::move(scan.grey)) {
    setObjectName(QStringLiteral("TFormSken"));
    setWindowTitle(tr("Ze skenu – %1").arg(path_));
    ScanOptions options;
    if (store_.hasDrawingSetup())
        options.dataSetRadiusMm = store_.drawingRadius();
    registration_ = registerScan(image_, options);
    if (!registration_.registered()) {
        // A circle to drag onto the drawing's limb.
        registration_.frame.centre = QPointF(image_.width(), image_.height()) / 2;
        registration_.frame.radiusPx = kStartingRadius * std::min(image_.width(), image_.height());
    }
    createPanel();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    placeholder_ = new QLabel(tr("Sken je v okně vedle dialogu zadávání."), this);
    placeholder_->setAlignment(Qt::AlignCenter);
    placeholder_->hide();
    layout->addWidget(placeholder_);
    showRegistration();
    // The whole scan in view once the window has its size.
    scrollArea_->viewport()->installEventFilter(this);
    fitPending_ = true;
}

bool ScanWindow::eventFilter(QObject *watched, QEvent *event) {
    // Fitted when the scan first shows, and again in each window it moves to.
    if (fitPending_ && event->type() == QEvent::Resize && watched == scrollArea_->viewport() &&
        !scrollArea_->viewport()->size().isEmpty()) {
        fitPending_ = false;
        prizpusobitClick();
    }
    return QWidget::eventFilter(watched, event);
}

ScanWindow::~ScanWindow() {
    closing_ = true;
    detachEntryDialog();
}

void ScanWindow::createPanel() {
    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("panelsken"));
    auto *column = new QVBoxLayout(panel_);
    column->setContentsMargins(4, 4, 4, 4);

    const struct {
        const char *name;
        QString caption;
        QString hint;
        QKeySequence key;
        std::function<void()> handler;
        bool checkable;
    } commands[] = {
        {"prizpusobit",
         tr("Přizpůsobit"),
         tr("Celý sken v okně"),
         {},
         [this] { prizpusobitClick(); },
         false},
        {"priblizit", tr("+"), tr("Přiblížit (klávesa +, kolečko myši)"),
         QKeySequence(Qt::Key_Plus), [this] { priblizitClick(); }, false},
        {"oddalit", tr("−"), tr("Oddálit (klávesa −, kolečko myši)"), QKeySequence(Qt::Key_Minus),
         [this] { oddalitClick(); }, false},
        {"sit",
         tr("Síť"),
         tr("Síť rovnoběžek a poledníků okamžiku přes sken"),
         {},
         [this] { updateOverlay(); },
         true},
        {"severklik",
         tr("Sever kliknutím"),
         tr("Další klepnutí na okraj kotouče určí severní bod"),
         {},
         {},
         true},
        {"vyza",
         tr("Z - V"),
         tr("Zrcadlení východ – západ, jako v okně zákresu"),
         {},
         [this] { vyzaClick(); },
         false},
        {"seji",
         tr("S - J"),
         tr("Zrcadlení sever – jih, jako v okně zákresu"),
         {},
         [this] { sejiClick(); },
         false},
        {"najitskvrny",
         tr("Najít skvrny"),
         tr("Najde skvrny nakreslené uvnitř okraje a navrhne skupiny; klepnutím na skvrnu ji "
            "odeberete, klepnutím jinam přidáte, přetažením na jinou skvrnu ji převedete do "
            "její skupiny"),
         {},
         [this] { najitskvrnyClick(); },
         true},
        {"zavritsken", tr("Zavřít"), tr("Zavřít sken"), {}, [this] { zavritClick(); }, false},
    };
    // Two tool bars: in a narrow window what does not fit goes into their » menus.
    auto *commandBar = new QToolBar(panel_);
    commandBar->setObjectName(QStringLiteral("prikazysken"));
    for (const auto &c : commands) {
        QAction *a = actions_.add(panel_, c.name, c.caption);
        a->setToolTip(c.hint);
        a->setCheckable(c.checkable);
        if (!c.key.isEmpty()) {
            QList<QKeySequence> keys{c.key};
            if (c.name == QLatin1String("priblizit"))
                keys << QKeySequence(Qt::Key_Equal); // + without Shift on many keyboards
            a->setShortcuts(keys);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        if (c.handler)
            connect(a, &QAction::triggered, this, c.handler);
        panel_->addAction(a);
        commandBar->addAction(a);
        if (c.name == QLatin1String("severklik")) {
            turnBox_ = new QDoubleSpinBox(commandBar);
            turnBox_->setObjectName(QStringLiteral("otoceni"));
            turnBox_->setToolTip(
                tr("O kolik stupňů je papír na skenu pootočen po směru hodinových ručiček"));
            turnBox_->setRange(-180, 180);
            turnBox_->setDecimals(1);
            turnBox_->setSingleStep(0.1);
            turnBox_->setWrapping(true);
            turnBox_->setSuffix(QStringLiteral("°"));
            commandBar->addWidget(new QLabel(tr(" Otočení "), commandBar));
            commandBar->addWidget(turnBox_);
        }
        if (c.name == QLatin1String("sit") || c.name == QLatin1String("severklik") ||
            c.name == QLatin1String("seji") || c.name == QLatin1String("najitskvrny"))
            commandBar->addSeparator();
    }
    actions_.find(QStringLiteral("sit"))->setChecked(true);
    column->addWidget(commandBar);

    auto *fieldBar = new QToolBar(panel_);
    fieldBar->setObjectName(QStringLiteral("polesken"));
    dateEdit_ = new QLineEdit(fieldBar);
    dateEdit_->setObjectName(QStringLiteral("datumsken"));
    dateEdit_->setPlaceholderText(tr("DD.MM.RRRR"));
    dateEdit_->setMaximumWidth(100);
    timeEdit_ = new QLineEdit(fieldBar);
    timeEdit_->setObjectName(QStringLiteral("casken"));
    timeEdit_->setPlaceholderText(tr("HHMM"));
    timeEdit_->setToolTip(tr("Čas UT bez dvojtečky, 7:05 = 705"));
    timeEdit_->setMaximumWidth(60);
    radiusBox_ = new QDoubleSpinBox(fieldBar);
    radiusBox_->setObjectName(QStringLiteral("polomersken"));
    radiusBox_->setToolTip(tr("Poloměr kotouče zákresu na papíře"));
    radiusBox_->setRange(kSmallestScannedRadiusMm, kLargestScannedRadiusMm);
    radiusBox_->setDecimals(1);
    radiusBox_->setSuffix(tr(" mm"));
    fieldBar->addWidget(new QLabel(tr("Datum "), fieldBar));
    fieldBar->addWidget(dateEdit_);
    fieldBar->addWidget(new QLabel(tr(" Čas UT "), fieldBar));
    fieldBar->addWidget(timeEdit_);
    fieldBar->addWidget(new QLabel(tr(" R "), fieldBar));
    fieldBar->addWidget(radiusBox_);
    column->addWidget(fieldBar);

    scrollArea_ = new QScrollArea(panel_);
    scrollArea_->setObjectName(QStringLiteral("sken"));
    scrollArea_->setAlignment(Qt::AlignCenter);
    canvas_ = new ScanCanvas;
    canvas_->setImage(image_);
    scrollArea_->setWidget(canvas_);
    column->addWidget(scrollArea_, 1);
    canvas_->clicked = [this](QPointF pixel) { scanClicked(pixel); };
    canvas_->limbDragged = [this](QPointF centre, double radius) { limbDragged(centre, radius); };
    canvas_->dragged = [this](QPointF from, QPointF to) { spotDragged(from, to); };
    canvas_->wheelZoom = [this](double factor, QPointF at) {
        // The point under the mouse stays under it.
        const QPointF pixel = canvas_->imageFromWidget(at);
        const QPoint before(scrollArea_->horizontalScrollBar()->value(),
                            scrollArea_->verticalScrollBar()->value());
        canvas_->setZoom(canvas_->zoom() * factor);
        const QPointF moved = canvas_->widgetFromImage(pixel) - at;
        scrollArea_->horizontalScrollBar()->setValue(before.x() + qRound(moved.x()));
        scrollArea_->verticalScrollBar()->setValue(before.y() + qRound(moved.y()));
    };

    statusLabel_ = new QLabel(panel_);
    statusLabel_->setObjectName(QStringLiteral("stavsken"));
    statusLabel_->setWordWrap(true);
    column->addWidget(statusLabel_);

    // Each field changes only its own value, so that a measured turn or a code's R keeps
    // its decimals until the observer types over it.
    for (QLineEdit *edit : {dateEdit_, timeEdit_})
        connect(edit, &QLineEdit::textChanged, this, &ScanWindow::fieldsChanged);
    connect(radiusBox_, &QDoubleSpinBox::valueChanged, this, [this](double radius) {
        if (updatingFields_)
            return;
        registration_.frame.radiusMm = radius;
        registration_.radiusFrom = RadiusSource::Options;
        sheetFieldsChanged();
    });
    connect(turnBox_, &QDoubleSpinBox::valueChanged, this, [this](double turn) {
        if (updatingFields_)
            return;
        registration_.frame.turnDeg = turn;
        updateOverlay();
    });
}

double ScanWindow::zoom() const {
    return canvas_->zoom();
}

QString ScanWindow::statusText() const {
    return statusLabel_->text();
}

EntryDialog *ScanWindow::entryDialog() const {
    return entryDialog_;
}

QAction *ScanWindow::action(const QString &name) const {
    return actions_.find(name);
}

void ScanWindow::showRegistration() {
    const ScanRegistration &r = registration_;
    updatingFields_ = true;
    dateEdit_->setText(r.date ? shortDate(*r.date) : QString());
    timeEdit_->setText(r.timeUT ? formatTimeUT(*r.timeUT, u"hhnn") : QString());
    radiusBox_->setValue(r.frame.radiusMm);
    turnBox_->setValue(r.frame.turnDeg);
    actions_.find(QStringLiteral("vyza"))->setText(r.frame.orientX > 0 ? tr("Z - V") : tr("V - Z"));
    actions_.find(QStringLiteral("seji"))->setText(r.frame.orientY > 0 ? tr("S - J") : tr("J - S"));
    updatingFields_ = false;
    updateOverlay();

    setStatus(registrationText());
}

QString ScanWindow::registrationText() const {
    const ScanRegistration &r = registration_;
    QStringList lines;
    if (!r.registered())
        lines << tr("Okraj kotouče se nenašel: přetáhněte červenou kružnici na okraj zákresu "
                    "(střed za křížek, poloměr za kružnici).");
    else
        lines << tr("Okraj kotouče: střed %1, %2 px, poloměr %3 px (%4 px/mm).")
                     .arg(formatNumber(r.frame.centre.x(), "0.0"),
                          formatNumber(r.frame.centre.y(), "0.0"),
                          formatNumber(r.frame.radiusPx, "0.0"),
                          formatNumber(r.frame.dotsPerMm(), "0.00"));
    if (r.code && r.codeState == CodeState::Read)
        lines << tr("Šablona: %1 %2 UT, R %3 mm, papír %4, otočení %5° (terčíky: %6 ze 3).")
                     .arg(shortDate(r.code->date), formatTimeUT(r.code->timeUT, u"hh:nn"),
                          formatNumber(r.code->radiusMm, "0.#"), paperName(r.code->paper),
                          turnText(r.frame.turnDeg))
                     .arg(r.fiducialsFound);
    else if (r.codeState == CodeState::None)
        lines << tr("Bez kódu šablony: zadejte datum, čas UT a R, sever klepnutím na okraj "
                    "(„Sever kliknutím“) nebo otočením a zrcadlení tlačítky.");
    if (r.registered() && r.radiusFrom != RadiusSource::Code &&
        r.radiusFrom != RadiusSource::Default)
        lines << tr("Poloměr R %1 mm: %2.")
                     .arg(formatNumber(r.frame.radiusMm, "0.#"), radiusSourceText(r.radiusFrom));
    lines << scanNotes(r);
    return lines.join(u'\n');
}

void ScanWindow::setStatus(const QString &text) {
    statusLabel_->setText(text);
}

void ScanWindow::fieldsChanged() {
    if (updatingFields_)
        return;
    ScanRegistration &r = registration_;
    const auto date = parseDate(dateEdit_->text(), store_.pivotYear());
    const auto time = parseSheetTime(timeEdit_->text());
    if (date && time) {
        r.date = date;
        r.timeUT = time;
    } else {
        r.date.reset();
        r.timeUT.reset();
    }
    r.momentFromCode = r.codeState == CodeState::Read && date && time && r.code->date == *date &&
                       r.code->timeUT == *time;
    sheetFieldsChanged();
}

void ScanWindow::sheetFieldsChanged() {
    // A code that cannot be read is made again of the fields: the print is taken out once the
    // moment and R are there.
    if (registration_.codeState == CodeState::Unreadable) {
        const bool had = registration_.code.has_value();
        settleUnreadableCode(registration_);
        spotsFound_ = spotsFound_ && had == registration_.code.has_value();
        setStatus(registrationText());
    }
    updateOverlay();
}

std::optional<Ephemeris> ScanWindow::scanEphemeris() const {
    if (!registration_.hasMoment())
        return std::nullopt;
    return solarEphemeris(*registration_.date, *registration_.timeUT);
}

std::optional<Ephemeris> ScanWindow::entryEphemeris() const {
    // The commit converts with the dialog's own moment; without one, the scan's.
    if (entryDialog_) {
        const EntryForm form = entryDialog_->entryForm();
        const auto date = parseDate(form.date, store_.pivotYear());
        const auto time = parseSheetTime(form.timeUT);
        if (date && time)
            return solarEphemeris(*date, *time);
    }
    return scanEphemeris();
}

void ScanWindow::updateOverlay() {
    std::vector<ScanMarker> markers;
    const std::optional<Ephemeris> moment = entryDialog_ ? entryEphemeris() : scanEphemeris();
    if (entryDialog_) {
        const EntryForm form = entryDialog_->entryForm();
        const bool helio = store_.heliographicEntry();
        for (qsizetype i = 0; i < form.groups.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            if (const auto at =
                    scanMarkerAt(registration_.frame, moment, form.groupCell(row, ColAngle),
                                 form.groupCell(row, ColDistance), helio, store_.drawingRadius()))
                markers.push_back({row, *at});
        }
    }
    ScanOverlay overlay =
        buildScanOverlay(registration_.frame, moment,
                         actions_.find(QStringLiteral("sit"))->isChecked(), std::move(markers));
    if (actions_.find(QStringLiteral("najitskvrny"))->isChecked()) {
        for (const FoundSpot &spot : spots_)
            overlay.spots.push_back(
                {spot.pixel,
                 std::sqrt(spot.areaMm2 / std::numbers::pi) * registration_.frame.dotsPerMm(),
                 spot.group, QString()});
        labelGroupClasses(overlay.spots);
    }
    canvas_->setOverlay(std::move(overlay));
}

std::vector<ClassProposal> ScanWindow::groupClasses() const {
    const std::optional<Ephemeris> e = moment();
    if (!e || !spotsFound_)
        return {};
    return proposeClasses(image_, registration_, *e, spots_);
}

void ScanWindow::labelGroupClasses(std::vector<ScanSpotMark> &marks) const {
    // Beside the largest spot of each group.
    const std::vector<ClassProposal> classes = groupClasses();
    std::vector<int> largest(classes.size(), -1);
    for (size_t i = 0; i < spots_.size(); ++i) {
        const size_t g = static_cast<size_t>(spots_[i].group - 1);
        if (g < largest.size() &&
            (largest[g] < 0 || spots_[i].areaMm2 > spots_[static_cast<size_t>(largest[g])].areaMm2))
            largest[g] = static_cast<int>(i);
    }
    for (size_t g = 0; g < largest.size(); ++g)
        if (largest[g] >= 0 && static_cast<size_t>(largest[g]) < marks.size())
            marks[static_cast<size_t>(largest[g])].groupClass = classes[g].label();
}

void ScanWindow::scanClicked(QPointF pixel) {
    ScanFrame &frame = registration_.frame;
    QAction *north = actions_.find(QStringLiteral("severklik"));
    if (north->isChecked()) {
        north->setChecked(false);
        frame.turnDeg = turnForNorthPoint(frame, pixel);
        showRegistration();
        setStatus(tr("Severní bod nastaven, otočení %1°.").arg(turnText(frame.turnDeg)));
        return;
    }
    if (actions_.find(QStringLiteral("najitskvrny"))->isChecked()) {
        spotClicked(pixel);
        return;
    }
    if (entryDialog_) {
        const int row = entryDialog_->currentGroupRow();
        if (row > kMaxTableRows) {
            dialogs_.information(tr("Tabulka skupin je plná (30 řádků)."));
            return;
        }
        const ScanFill fill = scanFill(frame, entryEphemeris(), pixel, store_.heliographicEntry(),
                                       store_.drawingRadius());
        if (!fill.accepted) {
            dialogs_.information(fill.refusal);
            return;
        }
        entryDialog_->setGroupPosition(row, fill.first, fill.second);
        setStatus(tr("Řádek %1: %2, %3. Další klepnutí vyplní řádek %4.")
                      .arg(row)
                      .arg(fill.first, fill.second)
                      .arg(entryDialog_->currentGroupRow()));
        return;
    }
    // Without the dialog: the place, to check the registration by.
    const DrawingPlace place = drawingPlaceAt(frame, pixel);
    QString text =
        tr("Úhel %1°, vzdálenost %2 mm")
            .arg(formatNumber(place.angleDeg, "0.0"), formatNumber(place.distanceMm, "0.0"));
    if (place.distanceMm > frame.radiusMm)
        text += tr(" – mimo kotouč.");
    else if (const auto e = scanEphemeris()) {
        const HeliographicPosition h = scanPointAt(frame, *e, pixel).helio;
        text +=
            tr("; b %1°, l %2°.")
                .arg(formatNumber(h.helioLatitude, "0.0"), formatNumber(h.helioLongitude, "0.0"));
    } else {
        text += tr("; b a l až se zadaným okamžikem.");
    }
    setStatus(text);
}

void ScanWindow::limbDragged(QPointF centre, double radiusPx) {
    if (radiusPx < 1)
        return;
    registration_.frame.centre = centre;
    registration_.frame.radiusPx = radiusPx;
    updateOverlay();
    setStatus(tr("Okraj kotouče: střed %1, %2 px, poloměr %3 px.")
                  .arg(formatNumber(centre.x(), "0.0"), formatNumber(centre.y(), "0.0"),
                       formatNumber(radiusPx, "0.0")));
}

void ScanWindow::prizpusobitClick() {
    const QSize room = scrollArea_->viewport()->size();
    if (image_.isNull() || room.isEmpty())
        return;
    canvas_->setZoom(
        std::min(double(room.width()) / image_.width(), double(room.height()) / image_.height()));
}

void ScanWindow::priblizitClick() {
    // About the middle of what shows.
    canvas_->wheelZoom(kZoomStep, scrollArea_->viewport()->rect().center() - canvas_->pos());
}

void ScanWindow::oddalitClick() {
    canvas_->wheelZoom(1 / kZoomStep, scrollArea_->viewport()->rect().center() - canvas_->pos());
}

void ScanWindow::vyzaClick() {
    registration_.frame.orientX = -registration_.frame.orientX;
    settleUnreadableCode(registration_);
    showRegistration();
}

void ScanWindow::sejiClick() {
    // The north point drawn on the paper stays where it is.
    ScanFrame &f = registration_.frame;
    const double north = northAngleOf(f);
    f.orientY = -f.orientY;
    f.turnDeg = turnForNorthAngle(north, f.orientY);
    settleUnreadableCode(registration_);
    showRegistration();
}

std::optional<Ephemeris> ScanWindow::moment() const {
    return entryDialog_ ? entryEphemeris() : scanEphemeris();
}

void ScanWindow::najitskvrnyClick() {
    QAction *shown = actions_.find(QStringLiteral("najitskvrny"));
    if (shown->isChecked() && !spotsFound_) {
        const std::optional<Ephemeris> e = moment();
        if (!registration_.registered() || !e) {
            shown->setChecked(false);
            dialogs_.information(
                tr("Skvrny se hledají uvnitř okraje kotouče a seskupují podle okamžiku zákresu: "
                   "nejdřív nastavte okraj a zadejte datum a čas."));
            return;
        }
        try {
            spots_ = findSpots(image_, registration_);
        } catch (const std::exception &) {
            // No image aborts the program: what the image processing refuses has no spots.
            spots_.clear();
        }
        groupSpots(spots_, registration_.frame, *e);
        spotsFound_ = true;
    }
    updateOverlay();
    if (shown->isChecked())
        spotsEdited(QString());
    else
        setStatus(tr("Skvrny skryty; klepnutí opět určuje polohu."));
}

int ScanWindow::spotNear(QPointF pixel) const {
    int nearest = -1;
    double best = 0;
    for (size_t i = 0; i < spots_.size(); ++i) {
        const FoundSpot &s = spots_[i];
        const double edge =
            std::sqrt(s.areaMm2 / std::numbers::pi) * registration_.frame.dotsPerMm() +
            kSpotHitPx / canvas_->zoom();
        const double d = std::hypot(s.pixel.x() - pixel.x(), s.pixel.y() - pixel.y());
        if (d <= edge && (nearest < 0 || d < best)) {
            nearest = static_cast<int>(i);
            best = d;
        }
    }
    return nearest;
}

void ScanWindow::spotClicked(QPointF pixel) {
    const std::optional<Ephemeris> e = moment();
    if (!e)
        return;
    const ScanFrame &frame = registration_.frame;
    if (const int hit = spotNear(pixel); hit >= 0) {
        spots_.erase(spots_.begin() + hit);
        spotsEdited(tr("Skvrna odebrána."));
        return;
    }
    if (drawingPlaceAt(frame, pixel).distanceMm > frame.radiusMm) {
        dialogs_.information(tr("Bod leží mimo kotouč."));
        return;
    }
    // The mark drawn there, measured; else a spot without an area at the click. It joins
    // the group of its nearest neighbour on the Sun within the grouping's reach.
    FoundSpot added{pixel};
    try {
        added = spotAt(image_, registration_, pixel).value_or(FoundSpot{pixel});
    } catch (const std::exception &) {
        // A spot without an area at the click, as where nothing is drawn.
    }
    const HeliographicPosition h = spotHelio(frame, *e, added.pixel);
    double nearest = kGroupReachDeg;
    int group = 0;
    for (const FoundSpot &s : spots_) {
        const HeliographicPosition o = spotHelio(frame, *e, s.pixel);
        const double d = sphereDistanceDeg(h, o);
        if (d <= nearest) {
            nearest = d;
            added.group = s.group;
        }
    }
    if (added.group == 0) {
        for (const FoundSpot &s : spots_)
            group = std::max(group, s.group);
        added.group = group + 1;
    }
    spots_.push_back(added);
    spotsEdited(tr("Skvrna přidána do skupiny %1.").arg(added.group));
}

void ScanWindow::spotDragged(QPointF from, QPointF to) {
    if (!actions_.find(QStringLiteral("najitskvrny"))->isChecked())
        return;
    const int moved = spotNear(from);
    if (moved < 0)
        return;
    const int onto = spotNear(to);
    int group = 0;
    if (onto >= 0 && onto != moved) {
        group = spots_[static_cast<size_t>(onto)].group;
    } else {
        for (const FoundSpot &s : spots_)
            group = std::max(group, s.group);
        ++group; // a group of its own
    }
    spots_[static_cast<size_t>(moved)].group = group;
    spotsEdited(tr("Skvrna převedena do skupiny %1.").arg(group));
}

void ScanWindow::spotsEdited(const QString &what) {
    int groups = 0;
    if (const auto e = moment())
        groups = static_cast<int>(spotGroups(spots_, registration_.frame, *e).size());
    updateOverlay();
    QString text = tr("Skvrny: %1, skupiny: %2.").arg(spots_.size()).arg(groups);
    if (!what.isEmpty())
        text = what + u' ' + text;
    // Why a class is in doubt, group by group.
    const std::vector<ClassProposal> classes = groupClasses();
    for (size_t g = 0; g < classes.size(); ++g)
        if (!classes[g].decided())
            text +=
                u' ' + tr("Skupina %1, %2: %3.")
                           .arg(g + 1)
                           .arg(classes[g].label(), classes[g].doubts.join(QStringLiteral("; ")));
    setStatus(text + u' ' +
              tr("Klepnutím na skvrnu ji odeberete, klepnutím jinam přidáte, přetažením na jinou "
                 "skvrnu ji převedete do její skupiny."));
}

QList<QMap<int, QString>> ScanWindow::proposedRows() {
    QAction *shown = actions_.find(QStringLiteral("najitskvrny"));
    if (!shown->isChecked()) {
        shown->setChecked(true);
        najitskvrnyClick();
    }
    const std::optional<Ephemeris> e = moment();
    if (!e || !spotsFound_)
        return {};
    const std::vector<SpotGroup> groups = spotGroups(spots_, registration_.frame, *e);
    updateOverlay();
    QList<QMap<int, QString>> rows = proposedGroupRows(
        groups, registration_.frame, e, store_.heliographicEntry(), store_.drawingRadius());
    // Each row's class, to be typed over as every other figure.
    const std::vector<ClassProposal> classes = groupClasses();
    for (qsizetype k = 0; k < rows.size() && static_cast<size_t>(k) < classes.size(); ++k)
        rows[k][ColType] = classes[static_cast<size_t>(k)].type;
    return rows;
}

void ScanWindow::zavritClick() {
    closeView(this);
}

void ScanWindow::attachEntryDialog(EntryDialog *dialog) {
    detachEntryDialog();
    if (!dialog)
        return;
    entryDialog_ = dialog;
    const EntryForm form = dialog->entryForm();
    const auto dialogDate = parseDate(form.date, store_.pivotYear());
    const auto dialogTime = parseSheetTime(form.timeUT);
    // A new drawing takes its moment from the sheet's code; a scan without a moment takes
    // the one of the drawing being entered.
    if (registration_.code && dialog->mode() != EntryMode::Correction && !dialogDate)
        dialog->setMoment(shortDate(registration_.code->date),
                          formatTimeUT(registration_.code->timeUT, u"hhnn"));
    else if (!registration_.hasMoment() && dialogDate && dialogTime) {
        registration_.date = dialogDate;
        registration_.timeUT = dialogTime;
        showRegistration();
    }
    connect(dialog, &EntryDialog::groupsEdited, this, &ScanWindow::updateOverlay);
    dialog->offerGroups([window = QPointer<ScanWindow>(this)] {
        return window ? window->proposedRows() : QList<QMap<int, QString>>();
    });
    connect(dialog, &QDialog::finished, this, &ScanWindow::detachEntryDialog);

    fitPending_ = true;
    auto *companion = new ScanCompanion(dialog, [window = QPointer<ScanWindow>(this)] {
        if (!window)
            return;
        window->companion_ = nullptr; // going already
        // Armed it goes only with the dialog, whose members are gone by now: nothing more is
        // asked of it (offerGroups on it crashed when a dialog was deleted while attached).
        if (window->entryDialog_)
            disconnect(window->entryDialog_, nullptr, window, nullptr);
        window->entryDialog_ = nullptr;
        window->detachEntryDialog();
    });
    companion_ = companion;
    companion->setWindowTitle(tr("Sken – klepnutím na skupinu vyplníte její polohu"));
    auto *layout = new QVBoxLayout(companion);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    panel_->show();
    placeholder_->show();
    QString status = tr("Klepnutí na skupinu vyplní polohu v řádku %1 tabulky skupin.")
                         .arg(dialog->currentGroupRow());
    // The commit converts with the dialog's moment: a scan of another moment is told.
    if (registration_.hasMoment() && dialogDate && dialogTime &&
        (*registration_.date != *dialogDate || *registration_.timeUT != *dialogTime))
        status += u'\n' + tr("Pozor: zákres v dialogu je z %1 %2 UT, sken z %3 %4 UT; síť "
                             "a l, b platí pro okamžik v dialogu.")
                              .arg(shortDate(*dialogDate), formatTimeUT(*dialogTime, u"hh:nn"),
                                   shortDate(*registration_.date),
                                   formatTimeUT(*registration_.timeUT, u"hh:nn"));
    setStatus(status);
    updateOverlay();
    // Beside the dialog once it stands where it opens.
    QTimer::singleShot(0, companion, [companion, dialog] {
        const QScreen *screen =
            dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
        const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        const ScanBeside beside = scanBesideDialog(dialog->frameGeometry(), room);
        dialog->move(dialog->pos() + beside.dialog - dialog->frameGeometry().topLeft());
        companion->setGeometry(beside.scan);
        companion->show();
    });
}

void ScanWindow::detachEntryDialog() {
    if (entryDialog_) {
        disconnect(entryDialog_, nullptr, this, nullptr);
        entryDialog_->offerGroups({});
    }
    entryDialog_ = nullptr;
    if (panel_ && panel_->parentWidget() != this) {
        fitPending_ = true;
        panel_->setParent(this);
        static_cast<QVBoxLayout *>(layout())->insertWidget(0, panel_);
        panel_->show();
        placeholder_->hide();
    }
    if (companion_) {
        auto *companion = static_cast<ScanCompanion *>(companion_.data());
        companion_ = nullptr;
        companion->disarm();
        companion->hide();
        companion->deleteLater();
    }
    if (canvas_ && !closing_)
        showRegistration();
}

void ScanWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    emit closed();
}

} // namespace orvanek
