#include "entry/entrydialog.h"

#include "data/units.h"
#include "entry/commit.h"
#include "entry/summary.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <functional>

namespace orvanek {

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 460;
constexpr int kHeliographicHeight = 365;
constexpr int kFieldX = 144;
constexpr int kFieldWidth = 121;
constexpr int kSmallWidth = 33;
constexpr int kFieldHeight = 21;
constexpr int kLabelX = 50;

// The tables at the opening size: box and grid, polar and heliographic entry. Extra room
// the observer gives the dialog goes to the tables.
constexpr QRect kGroupBox{8, 232, 673, 81};
constexpr QRect kGroupGrid{14, 18, 645, 55};
constexpr QRect kHeliographicGroupBox{133, 232, 433, 81};
constexpr QRect kHeliographicGroupGrid{14, 18, 410, 55};
constexpr QRect kFaculaBox{8, 328, 673, 83};
constexpr QRect kFaculaGrid{14, 18, 646, 55};

// The tables' compact font: every heading and every value fits its column at the opening
// size, and rows are low enough for several to show.
constexpr int kTableFontPixels = 11;
constexpr int kRowPadding = 3; // pixels of a row beyond the font's height

// How a number column is widest: its digits (from the largest value it takes), a sign when
// it takes negative values, and one decimal where it keeps tenths.
struct NumberWidth {
    int largest;
    bool sign = false;
    bool decimal = false;
};

// The widest text of a number column at the font of `metrics`: the font's widest digit in
// every place, so that no value the column takes is wider.
QString widestNumber(const QFontMetricsF &metrics, NumberWidth width) {
    QChar widestDigit = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit)
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widestDigit))
            widestDigit = QChar(digit);
    const auto digits = QString::number(width.largest).size();
    QString text = QString(digits, widestDigit);
    if (width.sign)
        text.prepend(u'-');
    if (width.decimal)
        text += u'.' + QString(widestDigit);
    return text;
}

// The widest McIntosh class at the font of `metrics`, to the fraction of a pixel ("Dho" is
// wider than "Fkc" in most fonts, and than "Dao" by a fifth of a pixel here).
QString widestClass(const QFontMetricsF &metrics) {
    QString widest;
    for (std::string_view name : McIntoshClasses) {
        const QString text = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest))
            widest = text;
    }
    return widest;
}

// The widest value an observer types or a correction shows in each group column, for its
// width: the class, counts of a byte, angles of one decimal, distances up to R, areas up to
// what a stored word holds at R, numbers of a word, group numbers in a rotation up to 70.
QStringList widestGroupValues(const QFontMetricsF &metrics, double radiusMm, bool heliographic) {
    const int radius = static_cast<int>(radiusMm);
    const int area = static_cast<int>(65535.5 * radiusMm / kAreaScale);
    const int packedMm = std::min(radius, kPackedDegreeUnit - 1);
    const NumberWidth widths[kGroupColumns - 1] = {
        {255},                                           // poč
        {255},                                           // s pen.
        {359, false, true},                              // úhel, or l
        heliographic ? NumberWidth{90, true, true}       // b
                     : NumberWidth{radius, false, true}, // vzd.
        {area},                                          // plocha.
        {65535},                                         // mal.s.
        {65535},                                         // č.sk1
        {kRotationGroups},                               // č.sk2
        {359},                                           // úhel1
        {packedMm},                                      // vzd.1
        {area, false, true},                             // plo.1
        {359},                                           // úhel2
        {packedMm},                                      // vzd.2
        {area, false, true},                             // plo.2
    };
    QStringList values{widestClass(metrics)};
    for (const NumberWidth &width : widths)
        values << widestNumber(metrics, width);
    return values;
}

// The faculae: whole degrees and whole millimetres up to R.
QStringList widestFaculaValues(const QFontMetricsF &metrics, double radiusMm) {
    const int packedMm = std::min(static_cast<int>(radiusMm), kPackedDegreeUnit - 1);
    QStringList values;
    for (int vertex = 0; vertex < kFaculaColumns / 2; ++vertex)
        values << widestNumber(metrics, {359}) << widestNumber(metrics, {packedMm});
    return values;
}

QFont pixelFont(int pixels) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    return font;
}

QStringList groupHeadings() {
    QStringList headings;
    for (int column = 1; column <= kGroupColumns; ++column)
        headings << groupColumnLabel(column, false);
    return headings;
}

QStringList faculaHeadings() {
    QStringList headings;
    for (int column = 1; column <= kFaculaColumns; ++column)
        headings << QStringLiteral("  ") + faculaColumnLabel(column);
    return headings;
}

QString groupTableHint(bool heliographic) {
    QStringList lines{EntryDialog::tr("Typ   = Typ skupiny"),
                      EntryDialog::tr("poč.  = počet skvrn ve skupině"),
                      EntryDialog::tr("s pen = počet penumber ve skupině")};
    if (heliographic) {
        lines << EntryDialog::tr("  l        = heliografická délka")
              << EntryDialog::tr("  b       = heliografická šířka")
              << EntryDialog::tr(" plocha= plocha skvrn ve skupině v mm2")
              << EntryDialog::tr(" mal.s = počet malých skvrn menší než 1 mm2")
              << EntryDialog::tr("č.sk1. = číslo skupiny globalní")
              << EntryDialog::tr("č.sk2. = číslo skupiny v rotaci( dúležité)");
    } else {
        lines << EntryDialog::tr(" úhel = polární souřadnice  úhel")
              << EntryDialog::tr(" vzd.  = polární souřednice  vzdálenost")
              << EntryDialog::tr(" plocha= plocha skvrn ve skupině v mm2")
              << EntryDialog::tr(" mal.s = počet malých skvrn menší než 1 mm2")
              << EntryDialog::tr("č.sk1. = číslo skupiny globalní")
              << EntryDialog::tr("č.sk2. = číslo skupiny v rotaci( důležité)")
              << EntryDialog::tr("uhel1  = úhel 1. pomocné skvrny")
              << EntryDialog::tr(" vzd1. = vzdálenost 1. pomocné skvrny")
              << EntryDialog::tr(" plo.1 = plocha 1. pomocné skvrny v mm2")
              << EntryDialog::tr("uhel2  = úhel 2. pomocné skvrny")
              << EntryDialog::tr(" vzd2. = vzdálenost 2. pomocné skvrny")
              << EntryDialog::tr(" plo.2 = plocha 2. pomocné skvrny v mm2");
    }
    return lines.join(u'\n');
}

QStringList rowTexts(const QTableWidget *table, int row) {
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *item = table->item(row, column);
        cells << (item ? item->text() : QString());
    }
    return cells;
}

void setRowTexts(QTableWidget *table, int row, const QStringList &cells) {
    for (int column = 0; column < table->columnCount(); ++column) {
        const QString text = column < cells.size() ? cells[column] : QString();
        if (QTableWidgetItem *item = table->item(row, column))
            item->setText(text);
        else if (!text.isEmpty())
            table->setItem(row, column, new QTableWidgetItem(text));
    }
}

// The width a heading needs to be painted whole: its text (in bold where the heading of the
// cell being typed is shown so) and the margins the style keeps around a heading's label.
int headingWidth(const QHeaderView *header, int section) {
    constexpr int kProbeWidth = 100; // any section width: the margins do not depend on it
    QStyleOptionHeader option;
    option.initFrom(header);
    option.orientation = Qt::Horizontal;
    option.section = section;
    option.text = header->model()->headerData(section, Qt::Horizontal).toString();
    option.rect = QRect(0, 0, kProbeWidth, header->sizeHint().height());
    const QRect label = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
    QFont bold = header->font();
    bold.setBold(header->highlightSections());
    return QFontMetrics(bold).horizontalAdvance(option.text) + kProbeWidth - label.width();
}

// Each column as wide as its heading or its widest value, whichever is wider. The values
// are measured as the table itself measures its cells: the samples stand in the first row
// while the columns are fitted.
void fitColumns(QTableWidget *grid, const QStringList &widest) {
    const QStringList kept = rowTexts(grid, 0);
    setRowTexts(grid, 0, widest);
    const QAbstractItemView *view = grid; // the table's own measure, public here
    for (int column = 0; column < grid->columnCount(); ++column) {
        if (grid->isColumnHidden(column))
            continue;
        grid->setColumnWidth(column, std::max(headingWidth(grid->horizontalHeader(), column),
                                              view->sizeHintForColumn(column)));
    }
    setRowTexts(grid, 0, kept);
}

QTableWidget *makeGrid(QWidget *parent, const QString &name, int columns,
                       const QStringList &headings,
                       const std::function<QStringList(const QFontMetricsF &)> &widest) {
    auto *grid = new QTableWidget(1, columns, parent);
    grid->setObjectName(name);
    QFont compact = grid->font();
    compact.setPixelSize(kTableFontPixels);
    grid->setFont(compact);
    grid->setHorizontalHeaderLabels(headings);
    grid->horizontalHeader()->setMinimumSectionSize(10);
    // A bold heading over the cell being typed would not fit the narrow columns; the cell
    // itself shows where typing goes.
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitColumns(grid, widest(QFontMetricsF(compact)));
    const int rowHeight = QFontMetrics(compact).height() + kRowPadding;
    grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Wide enough for "30" from the start: the columns do not move as rows are added.
    grid->verticalHeader()->setMinimumWidth(
        QFontMetrics(compact).horizontalAdvance(QString::number(kMaxTableRows)) +
        2 * grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, grid));
    grid->setVerticalHeaderLabels({QStringLiteral("1")});
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    grid->setTabKeyNavigation(true);
    return grid;
}

} // namespace

EntryDialog::EntryDialog(ObservationStore &store, EntryMode mode, const QString &modeText,
                         Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), store_(store), mode_(mode), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TForm3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(pixelFont(13));
    // The specified size to start with; the observer may enlarge it for the tables.
    setMinimumSize(kWidth, kHeight);
    resize(kWidth, kHeight);
    createControls();
    FormCreate(modeText);
    openedForm_ = entryForm();
}

void EntryDialog::createControls() {
    // A label before a field that starts at fieldX: where the language's word would reach the
    // field ("Image" in English), it ends just before it instead.
    auto label = [this](const QString &text, int x, int y, const char *name = nullptr,
                        int fieldX = 0) {
        auto *l = new QLabel(text, this);
        if (name)
            l->setObjectName(QLatin1String(name));
        l->adjustSize();
        constexpr int kGapBeforeField = 3;
        if (fieldX > 0 && x + l->width() > fieldX - 1)
            x = fieldX - kGapBeforeField - l->width();
        l->move(x, y + 3);
        return l;
    };
    auto edit = [this](const char *name, int x, int y, int width, const QString &hint) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setGeometry(x, y, width, kFieldHeight);
        e->setToolTip(hint);
        return e;
    };

    label(tr("Pozorovatel"), kLabelX, 16);
    observerBox_ = new QComboBox(this);
    observerBox_->setObjectName(QStringLiteral("ComboBox1"));
    observerBox_->setEditable(true);
    observerBox_->setInsertPolicy(QComboBox::NoInsert);
    observerBox_->lineEdit()->setMaxLength(30);
    observerBox_->setGeometry(kFieldX, 16, kFieldWidth, kFieldHeight);
    observerBox_->setToolTip(tr("Jméno pozorovatele"));

    label(tr("Datum"), kLabelX, 40);
    // Day and month may be typed with one digit, the year with four; empty shows "  .  .    ".
    dateEdit_ = edit("MaskEdit1", kFieldX, 40, kFieldWidth, tr("Datum zákresu"));
    dateEdit_->setInputMask(QStringLiteral("00.00.9999; "));

    label(tr("Čas    UT"), kLabelX, 64);
    timeEdit_ = edit("Edit3", kFieldX, 64, kFieldWidth,
                     tr("Zadat čas ve formátu  bez dvojtečky   7:05  =  705"));
    label(tr("PP"), kLabelX, 88);
    conditionsEdit_ = edit("Edit4", kFieldX, 88, kSmallWidth, tr("Podmínky pozorování"));
    label(tr("Obr."), 204, 88, nullptr, 232);
    imageQualityEdit_ = edit("Edit5", 232, 88, kSmallWidth, tr("Kvalita obrazu"));
    label(tr("Q"), 280, 88, nullptr, 304);
    seeingQualityEdit_ = edit("Edit6", 304, 88, kSmallWidth, tr("Kvalita pozorovacích podmínek"));
    label(tr("qc"), kLabelX, 112);
    centralGroupsEdit_ =
        edit("Edit7", kFieldX, 112, kSmallWidth, tr("Počet skupin v centrální oblasti"));
    label(tr("fc"), 210, 112, nullptr, 232);
    centralSpotsEdit_ = edit("Edit8", 232, 112, kSmallWidth, tr("Počet skvrn v centrální oblasti"));
    label(tr("rc"), 280, 112, nullptr, 304);
    centralREdit_ = edit("Edit9", 304, 112, kSmallWidth, tr("Relativní číslo centrální oblasti"));
    label(tr("Počet skupin"), kLabelX, 136);
    groupCountEdit_ = edit("Edit11", kFieldX, 136, kFieldWidth, tr("Počet skupin na zákresu"));
    label(tr("Počet fakulí"), kLabelX, 160);
    faculaCountEdit_ = edit("Edit12", kFieldX, 160, kFieldWidth,
                            tr("Počet fakulových polí pro jejich zakreslování"));
    faculaTotalLabel_ = label(tr("F"), 280, 160, "Label10");
    faculaTotalEdit_ = edit("Edit10", 304, 160, kSmallWidth, tr("Počet falulových polí "));
    label(tr("Stanice"), kLabelX, 184);
    stationEdit_ = edit("Edit13", kFieldX, 184, kFieldWidth, tr("Místo pozorování"));
    stationEdit_->setMaxLength(20);
    specialMarkEdit_ = edit("Edit25", 336, 37, 57, QString());
    specialMarkEdit_->setVisible(false);

    confirmButton_ = new QPushButton(tr("Potvrdit  zadávání"), this);
    confirmButton_->setObjectName(QStringLiteral("ukoncit"));
    confirmButton_->setGeometry(472, 16, 185, 73);
    confirmButton_->setFont(pixelFont(19));
    returnButton_ = new QPushButton(tr("Návrat"), this);
    returnButton_->setObjectName(QStringLiteral("Navrat"));
    returnButton_->setGeometry(472, 104, 185, 33);
    returnButton_->setFont(pixelFont(16));
    takeGroupsButton_ = new QPushButton(tr("Převzít skupiny"), this);
    takeGroupsButton_->setObjectName(QStringLiteral("prevzitskupiny"));
    takeGroupsButton_->setGeometry(472, 148, 185, 33);
    takeGroupsButton_->setFont(pixelFont(16));
    takeGroupsButton_->setToolTip(
        tr("Vyplní skupiny podle skvrn nalezených na skenu: navržený typ (kde není zapsaný), "
           "počet skvrn, penumbry, polohu a plochu"));
    takeGroupsButton_->hide();
    // Enter finishes a cell or a field; only the button itself commits.
    for (QPushButton *button : {confirmButton_, returnButton_, takeGroupsButton_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    groupTableBox_ = new QGroupBox(tr("Skupiny"), this);
    groupTableBox_->setObjectName(QStringLiteral("tabulkaskv"));
    const double radius = store_.drawingRadius();
    groupTable_ = makeGrid(groupTableBox_, QStringLiteral("StringGrid1"), kGroupColumns,
                           groupHeadings(), [radius](const QFontMetricsF &metrics) {
                               return widestGroupValues(metrics, radius, false);
                           });

    faculaTableBox_ = new QGroupBox(tr("Fakule"), this);
    faculaTableBox_->setObjectName(QStringLiteral("tabulkafak"));
    faculaTable_ = makeGrid(
        faculaTableBox_, QStringLiteral("StringGrid2"), kFaculaColumns, faculaHeadings(),
        [radius](const QFontMetricsF &metrics) { return widestFaculaValues(metrics, radius); });
    QPalette white = faculaTable_->palette();
    white.setColor(QPalette::Base, Qt::white);
    faculaTable_->setPalette(white);
    faculaTable_->setToolTip(tr("Zde se zadávají souřednice  vrcholů") + u'\n' +
                             tr(" jednotlivých fakulových polí. ") + u'\n' +
                             tr(" Na jedno pole max. 6 vrcholů"));

    // Header fields top to bottom, then the tables (Tab moves between their cells, Ctrl+Tab
    // leaves them), then the buttons.
    const QList<QWidget *> order{
        observerBox_,      dateEdit_,          timeEdit_,          conditionsEdit_,
        imageQualityEdit_, seeingQualityEdit_, centralGroupsEdit_, centralSpotsEdit_,
        centralREdit_,     groupCountEdit_,    faculaCountEdit_,   faculaTotalEdit_,
        stationEdit_,      specialMarkEdit_,   groupTable_,        faculaTable_,
        confirmButton_,    returnButton_,      takeGroupsButton_};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    placeTables();

    connect(confirmButton_, &QPushButton::clicked, this, &EntryDialog::ukoncitClick);
    connect(returnButton_, &QPushButton::clicked, this, &EntryDialog::NavratClick);
    connect(takeGroupsButton_, &QPushButton::clicked, this, [this] {
        if (groupSource_)
            takeGroups(groupSource_());
    });
    connect(groupCountEdit_, &QLineEdit::textChanged, this, &EntryDialog::Edit11Change);
    connect(groupTable_, &QTableWidget::itemChanged, this, &EntryDialog::groupsEdited);
    connect(faculaCountEdit_, &QLineEdit::textChanged, this, &EntryDialog::Edit12Change);
}

void EntryDialog::FormCreate(const QString &modeText) {
    for (const QString &name : store_.observerNames()) {
        if (name.isEmpty())
            break;
        observerBox_->addItem(name);
    }

    record_ = store_.currentRecord();
    bool special = false;
    switch (mode_) {
    case EntryMode::New:
        clearRecord();
        setWindowTitle(tr("Nový zákres  ") + modeText);
        break;
    case EntryMode::Special:
        clearRecord();
        writeText(record_.specialMark, specialMarkText());
        special = true;
        setWindowTitle(tr("Zvlášťní záznam  ") + modeText);
        break;
    case EntryMode::Correction:
        special = record_.isSpecial();
        setWindowTitle(tr("Oprava dat  ") + modeText);
        break;
    }
    fillFromRecord();
    specialMarkEdit_->setText(special ? readText(record_.specialMark) : QString());
    specialMarkEdit_->setVisible(special);
    setRed(special);

    groupTable_->setToolTip(groupTableHint(store_.heliographicEntry()));
    if (store_.heliographicEntry())
        useHeliographicLayout();
}

void EntryDialog::clearRecord() {
    record_ = clearedRecord(store_);
}

void EntryDialog::fillFromRecord() {
    const EntryForm form = entryFormFromRecord(record_, mode_, store_.drawingRadius(),
                                               store_.heliographicEntry(), store_.pivotYear());
    observerBox_->setCurrentText(form.observer);
    dateEdit_->setText(form.date);
    timeEdit_->setText(form.timeUT);
    conditionsEdit_->setText(form.conditions);
    imageQualityEdit_->setText(form.imageQuality);
    seeingQualityEdit_->setText(form.seeingQuality);
    centralGroupsEdit_->setText(form.centralGroups);
    centralSpotsEdit_->setText(form.centralSpots);
    centralREdit_->setText(form.centralR);
    faculaTotalEdit_->setText(form.faculaTotal);
    stationEdit_->setText(form.station);
    // Setting the counts sizes the tables.
    groupCountEdit_->setText(form.groupCount);
    faculaCountEdit_->setText(form.faculaFieldCount);
    for (int row = 0; row < std::min<int>(form.groups.size(), groupTable_->rowCount()); ++row)
        setRowTexts(groupTable_, row, form.groups[row]);
    for (int row = 0; row < std::min<int>(form.faculae.size(), faculaTable_->rowCount()); ++row)
        setRowTexts(faculaTable_, row, form.faculae[row]);
}

void EntryDialog::useHeliographicLayout() {
    // No faculae and no auxiliary spots are typed in heliographic entry. The hidden columns
    // keep what a correction filled in, so correcting a record does not wipe them.
    faculaCountEdit_->setVisible(false);
    faculaTotalLabel_->setVisible(false);
    faculaTotalEdit_->setGeometry(kFieldX, 160, kFieldWidth, kFieldHeight);
    groupTable_->setHorizontalHeaderItem(ColAngle - 1, new QTableWidgetItem(tr("    l ")));
    groupTable_->setHorizontalHeaderItem(ColDistance - 1, new QTableWidgetItem(tr("   b ")));
    for (int column = kHeliographicGroupColumns + 1; column <= kGroupColumns; ++column)
        groupTable_->setColumnHidden(column - 1, true);
    fitColumns(groupTable_,
               widestGroupValues(QFontMetricsF(groupTable_->font()), store_.drawingRadius(), true));
    faculaTableBox_->setVisible(false);
    heliographic_ = true;
    setMinimumSize(kWidth, kHeliographicHeight);
    resize(kWidth, kHeliographicHeight);
    placeTables();
}

int EntryDialog::extraHeightWanted(const QTableWidget *table, QRect opening, int width) {
    // Headings, every row, the frame, and the sideways scroll bar when the columns are wider.
    const int frame = 2 * table->frameWidth();
    const int rowsHeight = table->verticalHeader()->length();
    const int columnsWidth = table->horizontalHeader()->length() +
                             table->verticalHeader()->sizeHint().width() + frame +
                             table->verticalScrollBar()->sizeHint().width();
    const int bar = columnsWidth > width ? table->horizontalScrollBar()->sizeHint().height() : 0;
    const int whole = table->horizontalHeader()->sizeHint().height() + rowsHeight + frame + bar;
    return std::max(0, whole - opening.height());
}

void EntryDialog::placeTables() {
    if (!groupTable_)
        return; // the opening size is set before the controls exist
    const int extraWidth = std::max(0, width() - kWidth);
    const int extraHeight = std::max(0, height() - (heliographic_ ? kHeliographicHeight : kHeight));
    const QRect groupBox = heliographic_ ? kHeliographicGroupBox : kGroupBox;
    const QRect groupGrid = heliographic_ ? kHeliographicGroupGrid : kGroupGrid;
    // The extra height goes where rows are hidden: each table takes what shows all its
    // rows, sharing when both cannot; what is left over is shared evenly.
    int groupExtra = extraHeight;
    int faculaExtra = 0;
    if (!heliographic_) {
        const int groupWants =
            extraHeightWanted(groupTable_, kGroupGrid, kGroupGrid.width() + extraWidth);
        const int faculaWants =
            extraHeightWanted(faculaTable_, kFaculaGrid, kFaculaGrid.width() + extraWidth);
        const int half = extraHeight / 2;
        if (groupWants + faculaWants <= extraHeight)
            groupExtra = groupWants + (extraHeight - groupWants - faculaWants) / 2;
        else if (groupWants <= half)
            groupExtra = groupWants;
        else if (faculaWants <= half)
            groupExtra = extraHeight - faculaWants;
        else
            groupExtra = half;
        faculaExtra = extraHeight - groupExtra;
    }
    groupTableBox_->setGeometry(groupBox.adjusted(0, 0, extraWidth, groupExtra));
    groupTable_->setGeometry(groupGrid.adjusted(0, 0, extraWidth, groupExtra));
    faculaTableBox_->setGeometry(
        kFaculaBox.translated(0, groupExtra).adjusted(0, 0, extraWidth, faculaExtra));
    faculaTable_->setGeometry(kFaculaGrid.adjusted(0, 0, extraWidth, faculaExtra));
}

void EntryDialog::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    placeTables();
}

void EntryDialog::setRed(bool red) {
    QPalette p = palette();
    if (red)
        p.setColor(QPalette::Window, QColor(255, 0, 0));
    else
        p.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(p);
    setAutoFillBackground(true);
}

void EntryDialog::showEvent(QShowEvent *event) {
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}

EntryForm EntryDialog::entryForm() const {
    EntryForm form;
    form.mode = mode_;
    form.observer = observerBox_->currentText();
    form.date = dateEdit_->displayText();
    form.timeUT = timeEdit_->text();
    form.conditions = conditionsEdit_->text();
    form.imageQuality = imageQualityEdit_->text();
    form.seeingQuality = seeingQualityEdit_->text();
    form.centralGroups = centralGroupsEdit_->text();
    form.centralSpots = centralSpotsEdit_->text();
    form.centralR = centralREdit_->text();
    form.faculaTotal = faculaTotalEdit_->text();
    form.groupCount = groupCountEdit_->text();
    form.faculaFieldCount = faculaCountEdit_->text();
    form.station = stationEdit_->text();
    form.specialMark = specialMarkEdit_->text();
    for (int row = 0; row < groupTable_->rowCount(); ++row)
        form.groups << rowTexts(groupTable_, row);
    for (int row = 0; row < faculaTable_->rowCount(); ++row)
        form.faculae << rowTexts(faculaTable_, row);
    return form;
}

bool EntryDialog::acceptUnlistedClasses(const EntryForm &form) {
    // Asked once for all such classes of a sound form; a class the observer kept is not asked
    // about again.
    PreparedEntry prepared;
    if (!prepareEntry(store_, form, prepared).isEmpty())
        return true;
    QStringList lines;
    std::optional<EntryLocation> first;
    for (const EntryMessage &notice : unlistedClassNotices(form)) {
        const QString asked = QString::number(notice.where.row) + u' ' +
                              form.groupCell(notice.where.row, ColType).trimmed();
        if (acceptedClasses_.contains(asked))
            continue;
        lines << tr("Řádek %1: %2.").arg(notice.where.row).arg(notice.text);
        if (!first)
            first = notice.where;
    }
    if (lines.isEmpty())
        return true;
    if (!dialogs_.question(lines.join(u'\n') + u'\n' + tr("Uložit přesto?"))) {
        select(*first, true);
        return false;
    }
    for (const EntryMessage &notice : unlistedClassNotices(form))
        acceptedClasses_ << QString::number(notice.where.row) + u' ' +
                                form.groupCell(notice.where.row, ColType).trimmed();
    return true;
}

void EntryDialog::ukoncitClick() {
    const EntryForm form = entryForm();
    if (!acceptUnlistedClasses(form))
        return;
    const CommitResult result = commitEntry(store_, form);
    if (!result.ok) {
        for (const EntryMessage &message : result.messages)
            dialogs_.information(message.text);
        for (qsizetype i = result.messages.size() - 1; i >= 0; --i)
            select(result.messages[i].where, i == 0);
        return;
    }
    if (!result.warning.isEmpty())
        dialogs_.information(result.warning);
    emit committed(result.record);
    accept();
}

void EntryDialog::NavratClick() {
    reject();
}

void EntryDialog::reject() {
    // Esc, "Návrat" and the close box: typed work is thrown away only when the observer
    // says so.
    if (entryForm() != openedForm_ && !dialogs_.question(tr("Zahodit zadané údaje?")))
        return;
    QDialog::reject();
}

void EntryDialog::Edit11Change() {
    resizeTable(groupTable_, groupCountEdit_, tr("Maximálni počet skupin je 30 !"), keptGroupRows_);
    emit groupsEdited();
}

void EntryDialog::Edit12Change() {
    resizeTable(faculaTable_, faculaCountEdit_, tr("Maximálni počet fakulí je 30 !"),
                keptFaculaRows_);
}

void EntryDialog::resizeTable(QTableWidget *table, QLineEdit *count, const QString &tooMany,
                              QMap<int, QStringList> &keptRows) {
    const std::optional<int> value = strictInteger(count->text());
    if (!value) {
        table->setEnabled(false);
        return;
    }
    table->setEnabled(*value >= 1);
    if (*value > kMaxTableRows) {
        dialogs_.information(tooMany);
        count->setText(QString::number(kMaxTableRows)); // sizes the table through this handler
        return;
    }
    const int rows = std::max(*value, 1);
    const int before = table->rowCount();
    for (int row = rows; row < before; ++row)
        keptRows[row] = rowTexts(table, row);
    table->setRowCount(rows);
    for (int row = before; row < rows; ++row)
        if (const auto kept = keptRows.constFind(row); kept != keptRows.constEnd())
            setRowTexts(table, row, *kept);
    QStringList numbers;
    for (int row = 1; row <= rows; ++row)
        numbers << QString::number(row);
    table->setVerticalHeaderLabels(numbers);
    placeTables(); // the room may go to the table that has more rows now
}

QLineEdit *EntryDialog::lineEditFor(EntryField field) const {
    switch (field) {
    case EntryField::Observer:
        return observerBox_->lineEdit();
    case EntryField::Date:
        return dateEdit_;
    case EntryField::TimeUT:
        return timeEdit_;
    case EntryField::Conditions:
        return conditionsEdit_;
    case EntryField::ImageQuality:
        return imageQualityEdit_;
    case EntryField::SeeingQuality:
        return seeingQualityEdit_;
    case EntryField::CentralGroups:
        return centralGroupsEdit_;
    case EntryField::CentralSpots:
        return centralSpotsEdit_;
    case EntryField::CentralR:
        return centralREdit_;
    case EntryField::FaculaTotal:
        return faculaTotalEdit_;
    case EntryField::GroupCount:
        return groupCountEdit_;
    case EntryField::FaculaFieldCount:
        return faculaCountEdit_;
    case EntryField::Station:
        return stationEdit_;
    case EntryField::SpecialMark:
        return specialMarkEdit_;
    default:
        return nullptr;
    }
}

void EntryDialog::select(const EntryLocation &where, bool focus) {
    if (where.field == EntryField::Groups || where.field == EntryField::Faculae) {
        QTableWidget *table = where.field == EntryField::Groups ? groupTable_ : faculaTable_;
        table->setCurrentCell(where.row - 1, where.column - 1);
        if (focus)
            table->setFocus();
        return;
    }
    if (QLineEdit *edit = lineEditFor(where.field); edit && focus) {
        edit->setFocus();
        edit->selectAll();
    }
}

int EntryDialog::currentGroupRow() const {
    if (groupTable_->isEnabled() && groupTable_->currentIndex().isValid())
        return groupTable_->currentRow() + 1;
    const auto empty = [this](int row, int column) {
        const QTableWidgetItem *item = groupTable_->item(row, column - 1);
        return !item || item->text().trimmed().isEmpty();
    };
    const int rows = groupTable_->isEnabled() ? groupTable_->rowCount() : 0;
    for (int row = 0; row < rows; ++row)
        if (empty(row, ColAngle) && empty(row, ColDistance))
            return row + 1;
    return rows + 1;
}

bool EntryDialog::setGroupPosition(int row, const QString &first, const QString &second) {
    if (row < 1 || row > kMaxTableRows)
        return false;
    const std::optional<int> count = strictInteger(groupCountEdit_->text());
    if (!count || *count < row)
        groupCountEdit_->setText(QString::number(row)); // sizes the table
    QStringList cells = rowTexts(groupTable_, row - 1);
    cells[ColAngle - 1] = first;
    cells[ColDistance - 1] = second;
    setRowTexts(groupTable_, row - 1, cells);
    if (row < groupTable_->rowCount()) {
        groupTable_->setCurrentCell(row, ColType - 1);
    } else {
        groupTable_->setCurrentIndex(QModelIndex());
        groupTable_->clearSelection();
    }
    return true;
}

void EntryDialog::setMoment(const QString &date, const QString &timeUT) {
    dateEdit_->setText(date);
    timeEdit_->setText(timeUT);
    // As if the dialog had opened with them: leaving it now throws away nothing typed.
    openedForm_.date = dateEdit_->displayText();
    openedForm_.timeUT = timeUT;
}

void EntryDialog::offerGroups(std::function<QList<GroupCells>()> source) {
    groupSource_ = std::move(source);
    takeGroupsButton_->setVisible(static_cast<bool>(groupSource_));
}

void EntryDialog::takeGroups(const QList<GroupCells> &rows) {
    if (rows.isEmpty()) {
        dialogs_.information(tr("Na skenu nejsou žádné skvrny."));
        return;
    }
    // A row holding anything is the observer's (typed, or placed by a click on the scan) and
    // stays as it is: the proposals go into the empty rows, in order, the table lengthened up
    // to its 30 rows; rows cut off by a lower count and kept count as they are.
    const int count =
        std::clamp(strictInteger(groupCountEdit_->text()).value_or(0), 0, kMaxTableRows);
    const auto rowHolds = [&](int row) {
        const QStringList cells =
            row < groupTable_->rowCount() ? rowTexts(groupTable_, row) : keptGroupRows_.value(row);
        return std::any_of(cells.begin(), cells.end(),
                           [](const QString &c) { return !c.trimmed().isEmpty(); });
    };
    QList<int> freeRows;
    for (int row = 0; row < kMaxTableRows && freeRows.size() < rows.size(); ++row)
        if (!rowHolds(row))
            freeRows << row;
    const int taken = static_cast<int>(freeRows.size());
    if (taken > 0 && freeRows.back() + 1 > count)
        groupCountEdit_->setText(QString::number(freeRows.back() + 1)); // sizes the table
    for (int i = 0; i < taken; ++i) {
        // Empty cells and the proposal's: the Typ column too, where a proposal gives one.
        QStringList cells = rowTexts(groupTable_, freeRows[i]);
        for (auto cell = rows[i].constBegin(); cell != rows[i].constEnd(); ++cell)
            if (cell.key() >= 1 && cell.key() <= cells.size())
                cells[cell.key() - 1] = cell.value();
        setRowTexts(groupTable_, freeRows[i], cells);
    }
    emit groupsEdited();
    const int left = static_cast<int>(rows.size()) - taken;
    QString text = tr("Převzaté skupiny ze skenu: %1 do prázdných řádků.").arg(taken);
    if (left > 0)
        text += u' ' + tr("Nevešlo se: %1 (tabulka má nejvýše %2 řádků; řádky s vlastním "
                          "zápisem zůstaly).")
                           .arg(left)
                           .arg(kMaxTableRows);
    dialogs_.information(text);
}

} // namespace orvanek
