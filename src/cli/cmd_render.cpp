// orvanek-cli render KIND: a view drawn into a file, exactly as its window paints it (PNG,
// BMP) or as it prints (PDF). Each view joins with one row of the table below.
#include "cli/entrycommands.h"
#include "data/observationstore.h"
#include "reports/certificatepainter.h"
#include "views/butterfly/butterflypainter.h"
#include "views/common/printjob.h"
#include "views/drawing/drawingpainter.h"
#include "views/graphs/graphpainter.h"
#include "views/graphs/graphview.h"
#include "views/graphs/smoothedpainter.h"
#include "views/map/mappainter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <optional>

namespace orvanek {

namespace {

// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

enum class RenderFormat { Png, Bmp, Pdf };

std::optional<RenderFormat> formatOf(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return RenderFormat::Png;
    if (suffix == QLatin1String("bmp"))
        return RenderFormat::Bmp;
    if (suffix == QLatin1String("pdf"))
        return RenderFormat::Pdf;
    return std::nullopt;
}

// What a view's render function is given: the loaded data set, the options, the file.
struct RenderJob {
    const ObservationStore &store;
    const QCommandLineParser &options;
    QString outFile;
    RenderFormat format;
    Output &out;
    QStringList args; // the words after the kind's name

    // Writes the window's picture or the printed pages, by the file's format.
    bool write(const QImage &image, const QString &title, const PageSetup &page,
               const PrintPages &pages) const {
        switch (format) {
        case RenderFormat::Png:
            return saveImageFile(image, outFile, "PNG", &problem);
        case RenderFormat::Bmp:
            return saveImageFile(image, outFile, "BMP", &problem);
        case RenderFormat::Pdf:
            return printToPdf(outFile, title, page, pages, &problem);
        }
        return false;
    }
    int cannotWrite() const { return out.fail(CliDataProblem, cannotWriteText(outFile, problem)); }
    mutable QString problem; // why the last write failed, when it was the writing
};

// The record asked for by --record; nothing when the option is not given.
std::optional<int> recordOption(const QCommandLineParser &options, bool *ok) {
    *ok = true;
    if (!options.isSet(QStringLiteral("record")))
        return std::nullopt;
    return options.value(QStringLiteral("record")).toInt(ok);
}

std::optional<QString> checkDrawingOptions(const QCommandLineParser &options) {
    bool ok = false;
    recordOption(options, &ok);
    if (!ok)
        return CliTexts::tr("„%1“ není číslo záznamu")
            .arg(inputExcerpt(options.value(QStringLiteral("record"))));
    return std::nullopt;
}

int renderDrawingView(const RenderJob &job) {
    const ObservationStore &store = job.store;
    bool ok = false;
    const int number = recordOption(job.options, &ok).value_or(store.recordCount());
    if (number < 1 || number > store.recordCount())
        return job.out.fail(CliDataProblem, CliTexts::tr("záznam %1 neexistuje (záznamů je %n)",
                                                         nullptr, store.recordCount())
                                                .arg(number));
    DrawingState state;
    state.orientX = job.options.isSet(QStringLiteral("mirror-x")) ? -1 : 1;
    state.orientY = job.options.isSet(QStringLiteral("mirror-y")) ? -1 : 1;
    const DrawingModel model =
        buildCheckedDrawingModel(store, store.record(number), drawingSettings(store, state));
    const QImage image = job.format == RenderFormat::Pdf ? QImage() : renderDrawing(model);
    if (!job.write(image, drawingCaption(model.dateText), drawingPage(),
                   [&model](PrintJob &print) { return printDrawing(print, model); }))
        return job.cannotWrite();

    const QSize size = drawingSize(model);
    job.out.line(QStringLiteral("file;record;date;width;height"));
    job.out.row({job.outFile, QString::number(number), model.dateText,
                 QString::number(size.width()), QString::number(size.height())});
    return CliOk;
}

// --- The butterfly diagram and the map ----------------------------------------------------

// The window the images are drawn as: a diagram window on a 1280 x 1024 screen, and a map
// 760 pixels wide (s = 16: one pixel per map unit).
constexpr int kButterflyWidth = 1200;
constexpr int kButterflyHeight = 720;
constexpr int kMapWidthPx = 760;
constexpr int kSmallestImage = 100; // pixels on either side
constexpr int kLargestImage = 16384;

struct IntOption {
    const char *name;
    int fallback;
    int low;
    int high;
};

// The option's whole number within its bounds, the fallback when it is not given, nothing
// when it is not such a number.
std::optional<int> intOption(const QCommandLineParser &options, const IntOption &o) {
    const QString name = QString::fromLatin1(o.name);
    if (!options.isSet(name))
        return o.fallback;
    bool ok = false;
    const int value = options.value(name).trimmed().toInt(&ok);
    if (!ok || value < o.low || value > o.high)
        return std::nullopt;
    return value;
}

// --- The graphs ------------------------------------------------------------------------------

// The window size the graphs are rendered at: --width and --height, 1000 x 700 by default.
constexpr int kDefaultWindowWidth = 1000;
constexpr int kDefaultWindowHeight = 700;
constexpr int kMinWindowSide = 100;
constexpr int kMaxWindowSide = 10000;

const std::pair<const char *, GraphQuantity> kGraphQuantityKeys[] = {
    {"g", GraphQuantity::Groups}, {"f", GraphQuantity::Spots}, {"r", GraphQuantity::Relative}};
const std::pair<const char *, DisplayMode> kModeKeys[] = {{"all", DisplayMode::All},
                                                          {"total", DisplayMode::Whole},
                                                          {"north", DisplayMode::North},
                                                          {"south", DisplayMode::South}};

// The value of a keyed option (default `fallback` when not given); nothing for a value
// that is none of the keys.
template <typename T, size_t N>
std::optional<T> keyedOption(const QCommandLineParser &options, const QString &name,
                             const std::pair<const char *, T> (&keys)[N], T fallback) {
    if (!options.isSet(name))
        return fallback;
    const QString value = options.value(name).toLower();
    for (const auto &[key, result] : keys)
        if (value == QLatin1String(key))
            return result;
    return std::nullopt;
}

template <typename T, size_t N>
QString keyOf(T value, const std::pair<const char *, T> (&keys)[N]) {
    for (const auto &[key, result] : keys)
        if (result == value)
            return QString::fromLatin1(key);
    return {};
}

std::optional<SmoothedQuantity> smoothedQuantityOption(const QCommandLineParser &options) {
    if (!options.isSet(QStringLiteral("quantity")))
        return SmoothedQuantity::Groups;
    return smoothedQuantityFromKey(options.value(QStringLiteral("quantity")));
}

std::optional<QString> checkIntOptions(const QCommandLineParser &options,
                                       std::initializer_list<IntOption> list) {
    for (const IntOption &o : list)
        if (!intOption(options, o))
            return CliTexts::tr("--%1: „%2“ není celé číslo od %3 do %4")
                .arg(QString::fromLatin1(o.name),
                     inputExcerpt(options.value(QString::fromLatin1(o.name))))
                .arg(o.low)
                .arg(o.high);
    return std::nullopt;
}

const IntOption kLatitudeScaleOption{"latitude-scale", 3, kMinLatitudeScale, kMaxLatitudeScale};
const IntOption kRotationWidthOption{"rotation-width", 1, kMinRotationWidth, kMaxRotationWidth};
const IntOption kButterflyWidthOption{"width", kButterflyWidth, kSmallestImage, kLargestImage};
const IntOption kButterflyHeightOption{"height", kButterflyHeight, kSmallestImage, kLargestImage};
const IntOption kMapWidthOption{"width", kMapWidthPx, kSmallestImage, kLargestImage};

std::optional<QString> checkButterflyOptions(const QCommandLineParser &options) {
    return checkIntOptions(options, {kLatitudeScaleOption, kRotationWidthOption,
                                     kButterflyWidthOption, kButterflyHeightOption});
}

int renderButterflyView(const RenderJob &job) {
    ButterflyState state;
    state.latitudeScale = *intOption(job.options, kLatitudeScaleOption);
    state.rotationWidth = *intOption(job.options, kRotationWidthOption);
    state.supplementaryOn = job.options.isSet(QStringLiteral("supplementary"));
    const QSize client(*intOption(job.options, kButterflyWidthOption),
                       *intOption(job.options, kButterflyHeightOption));
    if (state.supplementaryOn && !hasSupplementaryData(job.store.butterflyBlock()))
        job.out.warn(CliTexts::tr("doplňková data (Motfakul.dat) nejsou k dispozici"));
    const ButterflyModel model = buildButterflyModel(job.store, state);
    const QImage image =
        job.format == RenderFormat::Pdf ? QImage() : renderButterfly(model, client);
    if (!job.write(image, butterflyCaption(state.mode), butterflyPage(), [&](PrintJob &print) {
            return printButterfly(print, model, butterflyGeometry(client));
        }))
        return job.cannotWrite();

    job.out.line(QStringLiteral("file;width;height;baseRotation;groupBoxes;faculaStrokes"));
    job.out.row({job.outFile, QString::number(client.width()), QString::number(client.height()),
                 QString::number(model.settings.baseRotation), QString::number(model.groups.size()),
                 QString::number(model.faculae.size())});
    return CliOk;
}

std::optional<QString> checkMapOptions(const QCommandLineParser &options) {
    if (!rotationOption(options))
        return rotationOptionProblem(options);
    return checkIntOptions(options, {kMapWidthOption});
}

int renderMapView(const RenderJob &job) {
    const int rotation = *rotationOption(job.options);
    const int width = *intOption(job.options, kMapWidthOption);
    const MapModel model =
        buildMapModel(job.store, mapSettings(job.store, rotation, screenMapGeometry(width)));
    if (model.range.empty())
        return job.out.fail(CliDataProblem, noRecordsOfRotation(rotation));
    const QImage image = job.format == RenderFormat::Pdf ? QImage() : renderMap(model, width);
    if (!job.write(image, model.caption, mapPage(),
                   [&](PrintJob &print) { return printMap(print, job.store, rotation); }))
        return job.cannotWrite();

    job.out.line(QStringLiteral("file;rotation;records;groups;width;height"));
    job.out.row({job.outFile, QString::number(rotation), QString::number(model.range.size()),
                 QString::number(model.groups.size()), QString::number(width),
                 QString::number(mapHeight(model))});
    return CliOk;
}

std::optional<QString> noOptions(const QCommandLineParser &) {
    return std::nullopt;
}

// MONTH.YEAR as the window's month prompt reads it.
std::optional<AskedMonth> certificateMonth(const QStringList &words) {
    return words.size() == 1 ? parseMonthPrompt(words[0], QDate::currentDate().year())
                             : std::nullopt;
}

std::optional<QString> checkCertificateMonth(const QStringList &words) {
    if (certificateMonth(words))
        return std::nullopt;
    return CliTexts::tr("„%1“ není měsíc MĚSÍC.ROK (2.2000)").arg(inputExcerpt(words.join(u' ')));
}

int renderCertificateView(const RenderJob &job) {
    const ObservationStore &store = job.store;
    const AskedMonth month = *parseMonthPrompt(job.args[0], store.pivotYear());
    // As in the window: a month without a record has no certificate, and one without the
    // station line waits for it.
    if (!monthRecordIndex(store, month))
        return job.out.fail(
            CliDataProblem,
            CliTexts::tr("v měsíci %1.%2 není žádný záznam").arg(month.month).arg(month.year));
    const CertificateModel model = buildCertificate(store, month, store.instrumentLines());
    if (model.needsInstrument)
        return job.out.fail(CliDataProblem, CliTexts::tr("pristroj.dat nemá na 6. řádku stanici"));
    const QImage image = job.format == RenderFormat::Pdf ? QImage() : renderCertificate(model);
    if (!job.write(image, CliTexts::tr("Výsledky    oficiální"), certificatePage(),
                   [&model](PrintJob &print) { return printCertificate(print, model); }))
        return job.cannotWrite();

    const QSize size = certificateSize(certificateLayout(model));
    job.out.line(QStringLiteral("file;month;observingDays;width;height"));
    job.out.row({job.outFile, QStringLiteral("%1.%2").arg(month.month).arg(month.year),
                 QString::number(model.observingDays), QString::number(size.width()),
                 QString::number(size.height())});
    return CliOk;
}

const IntOption kWindowWidthOption{"width", kDefaultWindowWidth, kMinWindowSide, kMaxWindowSide};
const IntOption kWindowHeightOption{"height", kDefaultWindowHeight, kMinWindowSide, kMaxWindowSide};
const IntOption kMonthsPxOption{"months-px", kDefaultPixelsPerMonth, 1, kMaxPixelsPerMonth};

QSize windowSizeOption(const QCommandLineParser &options) {
    return {*intOption(options, kWindowWidthOption), *intOption(options, kWindowHeightOption)};
}

std::optional<QString> checkWindowSize(const QCommandLineParser &options) {
    return checkIntOptions(options, {kWindowWidthOption, kWindowHeightOption});
}

std::optional<QString> checkGraphOptions(const QCommandLineParser &options) {
    if (!keyedOption(options, QStringLiteral("quantity"), kGraphQuantityKeys,
                     GraphQuantity::Groups))
        return CliTexts::tr("--quantity: „%1“ není g, f ani r")
            .arg(inputExcerpt(options.value(QStringLiteral("quantity"))));
    if (!keyedOption(options, QStringLiteral("mode"), kModeKeys, DisplayMode::All))
        return CliTexts::tr("--mode: „%1“ není all, total, north ani south")
            .arg(inputExcerpt(options.value(QStringLiteral("mode"))));
    return checkWindowSize(options);
}

std::optional<QString> checkSmoothedOptions(const QCommandLineParser &options) {
    if (!smoothedQuantityOption(options))
        return CliTexts::tr("--quantity: „%1“ není g, f, r, cv, sn, rb, area ani hemisphere")
            .arg(inputExcerpt(options.value(QStringLiteral("quantity"))));
    return checkIntOptions(options, {kMonthsPxOption, kWindowWidthOption, kWindowHeightOption});
}

// The graph window at the window size, scrolled to the newest data; on paper the page
// starts at the date at that window's left edge.
int renderGraphsView(const RenderJob &job) {
    GraphState state;
    state.quantity = *keyedOption(job.options, QStringLiteral("quantity"), kGraphQuantityKeys,
                                  GraphQuantity::Groups);
    state.mode = *keyedOption(job.options, QStringLiteral("mode"), kModeKeys, DisplayMode::All);
    const QSize size = windowSizeOption(job.options);
    const GraphView view = openedGraphView(job.store, state, size);
    const QImage image =
        job.format == RenderFormat::Pdf ? QImage() : renderGraphs(view.model, view.geometry);
    const auto pages = [&](PrintJob &print) {
        return printGraphs(print, view.series, job.store, state.mode, view.geometry.offset);
    };
    if (!job.write(image, graphCaption(viewLabel(state.mode), view.series.quantityLabel),
                   graphPage(), pages))
        return job.cannotWrite();
    job.out.line(QStringLiteral("file;quantity;mode;width;height;scroll"));
    job.out.row({job.outFile, keyOf(state.quantity, kGraphQuantityKeys),
                 keyOf(state.mode, kModeKeys), QString::number(size.width()),
                 QString::number(size.height()), QString::number(view.geometry.offset)});
    return CliOk;
}

// The smoothed graph at the window size with the newest closed month in view.
int renderSmoothedView(const RenderJob &job) {
    SmoothedState state;
    state.quantity = *smoothedQuantityOption(job.options);
    state.pixelsPerMonth = *intOption(job.options, kMonthsPxOption);
    const QSize size = windowSizeOption(job.options);
    const SmoothedView view = openedSmoothedView(job.store, state, size);
    const QImage image = job.format == RenderFormat::Pdf
                             ? QImage()
                             : renderSmoothed(view.layout, view.geometry, size);
    const auto pages = [&](PrintJob &print) {
        return printSmoothed(print, view.series, view.geometry);
    };
    if (!job.write(image, smoothedCaption(SmoothedMode::Smoothed), smoothedPage(), pages))
        return job.cannotWrite();
    job.out.line(QStringLiteral("file;quantity;monthsPx;width;height;lastMonth"));
    job.out.row({job.outFile, smoothedQuantityInfo(state.quantity).key,
                 QString::number(state.pixelsPerMonth), QString::number(size.width()),
                 QString::number(size.height()), QString::number(view.series.lastClosedMonth())});
    return CliOk;
}

// A view the command line renders: its name after "render", its options beyond --out,
// what checks their values before anything is read (a message for wrong usage), whether it
// needs the drawing setup of record 1, what draws it, and what checks the words after its
// name (none allowed without it).
struct RenderKind {
    const char *name;
    QStringList options;
    std::optional<QString> (*checkOptions)(const QCommandLineParser &);
    bool needsDrawingSetup;
    int (*render)(const RenderJob &);
    std::optional<QString> (*checkArguments)(const QStringList &) = nullptr;
};

const RenderKind kRenderKinds[] = {
    {"drawing", {"record", "mirror-x", "mirror-y"}, checkDrawingOptions, true, renderDrawingView},
    {"butterfly",
     {"latitude-scale", "rotation-width", "supplementary", "width", "height"},
     checkButterflyOptions,
     false,
     renderButterflyView},
    {"map", {"rotation", "width"}, checkMapOptions, false, renderMapView},
    {"certificate", {}, noOptions, false, renderCertificateView, checkCertificateMonth},
    {"graphs", {"quantity", "mode", "width", "height"}, checkGraphOptions, false, renderGraphsView},
    {"smoothed",
     {"quantity", "months-px", "width", "height"},
     checkSmoothedOptions,
     false,
     renderSmoothedView},
};

const RenderKind *findKind(const QString &name) {
    for (const RenderKind &kind : kRenderKinds)
        if (name == QLatin1String(kind.name))
            return &kind;
    return nullptr;
}

} // namespace

int commandCertificate(CommandContext &context) {
    context.args.prepend(QStringLiteral("certificate"));
    return commandRender(context);
}

QStringList renderOptionNames(const QString &kind) {
    const RenderKind *found = findKind(kind);
    return found ? found->options : QStringList();
}

int commandRender(CommandContext &context) {
    Output &out = context.out;
    const RenderKind *kind = findKind(context.args.value(0));
    const QString outFile = context.options.value(QStringLiteral("out"));
    if (!kind) {
        out.warn(CliTexts::tr("render nezná pohled „%1“").arg(inputExcerpt(context.args.value(0))));
        return out.fail(CliUsage, commandUsage(QStringLiteral("render")));
    }
    const QString usage = commandUsage(QStringLiteral("render ") + context.args.value(0));
    if (outFile.isEmpty()) {
        out.warn(CliTexts::tr("chybí --out SOUBOR"));
        return out.fail(CliUsage, usage);
    }
    if (const auto problem = kind->checkOptions(context.options))
        return out.fail(CliUsage, *problem);
    const QStringList words = context.args.mid(1);
    const std::optional<QString> wordProblem =
        kind->checkArguments
            ? kind->checkArguments(words)
            : (words.isEmpty() ? std::nullopt
                               : std::optional(CliTexts::tr("příkaz render %1 nebere argument „%2“")
                                                   .arg(QString::fromLatin1(kind->name),
                                                        inputExcerpt(words.first()))));
    if (wordProblem) {
        out.warn(*wordProblem);
        return out.fail(CliUsage, usage);
    }
    const auto format = formatOf(outFile);
    if (!format)
        return out.fail(CliUsage,
                        CliTexts::tr("soubor %1: umím jen .png, .bmp a .pdf").arg(outFile));
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return out.fail(CliDataProblem, CliTexts::tr("kreslení potřebuje grafickou aplikaci"));

    ObservationStore store;
    if (const int status = loadDataSet(store, context.dataDir, out); status != CliOk)
        return status;
    // Without the radius and entry kind the grid and the circles have no scale.
    if (kind->needsDrawingSetup && !store.hasDrawingSetup())
        return out.fail(CliDataProblem,
                        CliTexts::tr("záznam 1 nemá nastavení zákresu (poloměr, souřadnice)"));
    return kind->render({store, context.options, outFile, *format, out, words, {}});
}

} // namespace orvanek
