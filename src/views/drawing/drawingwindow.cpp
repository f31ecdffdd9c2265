#include "views/drawing/drawingwindow.h"

#include "data/dialogs.h"
#include "data/observationstore.h"
#include "data/safefile.h"
#include "views/common/printview.h"
#include "views/drawing/drawingpainter.h"

#include "views/common/viewcanvas.h"

#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace orvanek {

namespace {
const QString kBitmapFolder = QStringLiteral("Obrázek");
} // namespace

// The drawing itself, one widget pixel per view pixel, scrolled as a whole.
class DrawingCanvas : public ViewCanvas {
  public:
    explicit DrawingCanvas(DrawingWindow *window)
        : ViewCanvas(QStringLiteral("zakres"), nullptr), window_(window) {
        setFocusPolicy(Qt::ClickFocus);
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        paintDrawing(painter, window_->currentModel());
    }
    void mousePressEvent(QMouseEvent *event) override {
        window_->readOut(event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent *) override { window_->endReadOut(); }

  private:
    DrawingWindow *window_;
};

DrawingWindow::DrawingWindow(const ObservationStore &store, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), store_(store), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TForm2"));

    canvas_ = new DrawingCanvas(this);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidget(canvas_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);

    readOutLabel_ = new QLabel(canvas_);
    readOutLabel_->setObjectName(QStringLiteral("Label1"));
    readOutLabel_->setAutoFillBackground(true);
    QPalette tip = readOutLabel_->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    readOutLabel_->setPalette(tip);
    readOutLabel_->hide();

    // Over the scrolled drawing, so that it stays in sight wherever the drawing is scrolled.
    orientationBox_ = new QGroupBox(tr("Orientace"), this);
    orientationBox_->setObjectName(QStringLiteral("GroupBox1"));
    QFont small = orientationBox_->font();
    small.setPixelSize(11);
    orientationBox_->setFont(small);
    orientationBox_->setGeometry(16, 8, 81, 68);
    orientationBox_->setAutoFillBackground(true);
    vyza_ = new QPushButton(tr("Z - V"), orientationBox_);
    vyza_->setObjectName(QStringLiteral("vyza"));
    vyza_->setGeometry(15, 18, 50, 20);
    seji_ = new QPushButton(tr("S - J"), orientationBox_);
    seji_->setObjectName(QStringLiteral("seji"));
    seji_->setGeometry(15, 40, 50, 20);
    connect(vyza_, &QPushButton::clicked, this, &DrawingWindow::vyzaClick);
    connect(seji_, &QPushButton::clicked, this, &DrawingWindow::sejiClick);
    orientationBox_->hide();

    tiskzakres_ = new QAction(tr("Tisk zákresu"), this);
    tiskzakres_->setObjectName(QStringLiteral("tiskzakres"));
    connect(tiskzakres_, &QAction::triggered, this, &DrawingWindow::tiskzakresClick);

    setFocusPolicy(Qt::StrongFocus);
    connect(&store_, &ObservationStore::currentRecordChanged, this, &DrawingWindow::refresh);
    connect(&store_, &ObservationStore::recordsChanged, this, &DrawingWindow::refresh);
    refresh();
}

DrawingWindow::~DrawingWindow() = default;

DrawingModel DrawingWindow::currentModel() const {
    return buildCheckedDrawingModel(store_, store_.currentRecord(),
                                    drawingSettings(store_, state_));
}

QWidget *DrawingWindow::canvas() const {
    return canvas_;
}

QSize DrawingWindow::sizeHint() const {
    return {802, 700};
}

void DrawingWindow::refresh() {
    const DrawingModel model = currentModel();
    setWindowTitle(drawingCaption(model.dateText));
    const QSize size = drawingSize(model);
    const bool resized = size != canvas_->size();
    canvas_->setFixedSize(size);
    canvas_->update();
    if (resized)
        emit drawingResized();
}

int DrawingWindow::wholeDrawingWidth(int height) const {
    const int frame = 2 * scrollArea_->frameWidth();
    const int bar = canvas_->height() + frame > height
                        ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollArea_)
                        : 0;
    return canvas_->width() + frame + bar;
}

void DrawingWindow::showOrientationBox() {
    orientationBox_->show();
    orientationBox_->raise();
}

void DrawingWindow::hideOrientationBox() {
    orientationBox_->hide();
}

void DrawingWindow::vyzaClick() {
    if (state_.orientX != 1) {
        state_.orientX = 1;
        vyza_->setText(tr("Z - V"));
    } else {
        state_.orientX = -1;
        vyza_->setText(tr("V - Z"));
    }
    canvas_->update();
    hideOrientationBox();
}

void DrawingWindow::sejiClick() {
    if (state_.orientY != 1) {
        state_.orientY = 1;
        seji_->setText(tr("S - J"));
    } else {
        state_.orientY = -1;
        seji_->setText(tr("J - S"));
    }
    canvas_->update();
    hideOrientationBox();
}

void DrawingWindow::readOut(QPoint point) {
    readOutLabel_->move(point.x() + 20, point.y());
    const DrawingModel model = currentModel();
    const auto position = readOutAt(point, model.ephemeris, state_.orientX, state_.orientY);
    if (!position)
        return;
    readOutLabel_->setText(readOutText(*position));
    readOutLabel_->adjustSize();
    readOutLabel_->show();
    readOutLabel_->raise();
}

void DrawingWindow::endReadOut() {
    readOutLabel_->hide();
}

QString DrawingWindow::bitmapFileName(const QString &dateText) {
    return QStringLiteral("Zakres") + dateText + QStringLiteral(".bmp");
}

QString DrawingWindow::bitmapPath() const {
    return QDir(store_.dataDirectory())
        .filePath(kBitmapFolder + QLatin1Char('/') +
                  bitmapFileName(readText(store_.currentRecord().dateText)));
}

bool DrawingWindow::saveBitmap() {
    if (!dialogs_.question(tr("Uložit bitmapu zákresu")))
        return false;
    // Every end is said in the status bar too: the box is gone once it is answered.
    const auto refuse = [this](const QString &message) {
        dialogs_.information(message);
        emit bitmapReport(tr("Zákres nebyl uložen: %1").arg(message));
        return false;
    };
    const QDir dataDir(store_.dataDirectory());
    const QFileInfo folder(dataDir.filePath(kBitmapFolder));
    if (folder.isSymLink()) // a link would put the picture somewhere else
        return refuse(tr("Složka %1 je odkaz jinam; program ukládá jen do svého "
                         "adresáře, nic nebylo uloženo.")
                          .arg(QDir::toNativeSeparators(folder.filePath())));
    if (!dataDir.exists(kBitmapFolder) && !dataDir.mkdir(kBitmapFolder))
        return refuse(tr("Složku %1 nelze vytvořit.")
                          .arg(QDir::toNativeSeparators(dataDir.filePath(kBitmapFolder))));
    const QString path = bitmapPath();
    // Made in memory and written in one step: a picture of the same name (a hard link to a
    // file elsewhere among them) is replaced, never written into.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !renderDrawing(currentModel()).save(&buffer, "BMP"))
        return refuse(tr("Soubor %1 nelze uložit.").arg(QDir::toNativeSeparators(path)));
    if (const auto failed = writeFileReplacing(path, bytes))
        return refuse(*failed);
    emit bitmapReport(tr("Zákres uložen do %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void DrawingWindow::tiskzakresClick() {
    const DrawingModel model = currentModel();
    PrintRequest request;
    request.title = drawingCaption(model.dateText);
    request.pdfFileName = tr("Zakres%1.pdf").arg(model.dateText);
    request.page = drawingPage();
    request.askSetup = false; // the drawing prints at once
    request.pages = [&model](PrintJob &job) { return printDrawing(job, model); };
    printView(dialogs_, store_.dataDirectory(), request);
}

void DrawingWindow::closeEvent(QCloseEvent *event) {
    if (viewsPinned_)
        event->ignore();
    else
        event->accept();
}

void DrawingWindow::keyReleaseEvent(QKeyEvent *event) {
    if (event->isAutoRepeat()) { // a held F10 asks once, on the real release
        QWidget::keyReleaseEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        hideOrientationBox();
        break;
    case Qt::Key_F10:
        saveBitmap();
        break;
    default:
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
}

} // namespace orvanek
