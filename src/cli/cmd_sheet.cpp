// orvanek-cli template: the observing sheet of a moment, at true scale, as a PDF of vectors
// or a PNG at 300 dpi.
#include "cli/entrycommands.h"
#include "data/dates.h"
#include "data/observationstore.h"
#include "views/common/printjob.h"
#include "views/sheet/sheetpainter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>

namespace orvanek {

namespace {

// The command line's texts, translated in the context "Cli".
struct CliTexts {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// A radius no paper holds is still a radius: refused later with the paper's reason.
constexpr int kSmallestRadiusOption = 1;  // mm
constexpr int kLargestRadiusOption = 999; // mm

QString degreesText(double value) {
    return QString::number(value, 'f', 2);
}

} // namespace

int commandTemplate(CommandContext &c) {
    const QCommandLineParser &o = c.options;
    const QString outFile = o.value(QStringLiteral("out"));
    if (!o.isSet(QStringLiteral("date")) || !o.isSet(QStringLiteral("time")) || outFile.isEmpty())
        return refuseUsage(c.out, CliTexts::tr("příkaz template chce --date, --time a --out"),
                           QStringLiteral("template"));
    SheetState state;
    const QString dateText = o.value(QStringLiteral("date"));
    const auto date = parseDate(dateText, QDate::currentDate().year());
    if (!date)
        return c.out.fail(CliUsage,
                          CliTexts::tr("„%1“ není datum DD.MM.RRRR").arg(inputExcerpt(dateText)));
    state.date = *date;
    const QString timeText = o.value(QStringLiteral("time"));
    const auto time = parseSheetTime(timeText);
    if (!time)
        return c.out.fail(CliUsage, CliTexts::tr("„%1“ není čas HHMM").arg(inputExcerpt(timeText)));
    state.timeUT = *time;
    if (o.isSet(QStringLiteral("radius"))) {
        // Whole millimetres, as the drawing setup and import take them.
        bool ok = false;
        const int radius = o.value(QStringLiteral("radius")).trimmed().toInt(&ok);
        if (!ok || radius < kSmallestRadiusOption || radius > kLargestRadiusOption)
            return c.out.fail(CliUsage, QCoreApplication::translate(
                                            "Cli", "--radius: „%1“ není poloměr v celých mm "
                                                   "od %2 do %3")
                                            .arg(inputExcerpt(o.value(QStringLiteral("radius"))))
                                            .arg(kSmallestRadiusOption)
                                            .arg(kLargestRadiusOption));
        state.radiusMm = radius;
    }
    if (o.isSet(QStringLiteral("paper"))) {
        state.paper = paperFromName(o.value(QStringLiteral("paper")));
        if (!state.paper)
            return c.out.fail(CliUsage, CliTexts::tr("--paper: „%1“ není A4 ani A3")
                                            .arg(inputExcerpt(o.value(QStringLiteral("paper")))));
    }
    state.orientX = o.isSet(QStringLiteral("mirror-x")) ? -1 : 1;
    state.orientY = o.isSet(QStringLiteral("mirror-y")) ? -1 : 1;
    const QString suffix = QFileInfo(outFile).suffix().toLower();
    const bool pdf = suffix == QLatin1String("pdf");
    if (!pdf && suffix != QLatin1String("png"))
        return c.out.fail(CliUsage, CliTexts::tr("soubor %1: umím jen .pdf a .png").arg(outFile));
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return c.out.fail(CliDataProblem, CliTexts::tr("kreslení potřebuje grafickou aplikaci"));

    ObservationStore store;
    if (const int status = loadDataSet(store, c.dataDir, c.out); status != CliOk)
        return status;
    const SheetModel model = buildSheetModel(sheetSettings(store, state));
    if (!model.printable())
        return c.out.fail(CliDataProblem, model.refusal);
    // Distances measured on the sheet are typed in as millimetres of the data set's drawing:
    // on a sheet of another radius they give other l and b.
    if (store.hasDrawingSetup() && !store.heliographicEntry() &&
        model.radiusMm != store.drawingRadius())
        c.out.warn(CliTexts::tr("Pozor: šablona má poloměr %1 mm, zákresy v datech %2 mm; "
                                "vzdálenosti změřené na šabloně před zadáním přepočtěte.")
                       .arg(model.radiusMm)
                       .arg(store.drawingRadius()));
    QString problem;
    const bool written =
        pdf ? printToPdf(
                  outFile, sheetTitle(model), sheetPage(model),
                  [&model](PrintJob &job) { return printSheet(job, model); }, &problem)
            : saveImageFile(renderSheet(model), outFile, "PNG", &problem);
    if (!written)
        return c.out.fail(CliDataProblem, cannotWriteText(outFile, problem));

    const Ephemeris &e = model.ephemeris;
    c.out.line(QStringLiteral("file;paper;radius;B0;P;L0;rotation"));
    c.out.row({outFile, paperName(*model.paper), QString::number(model.radiusMm), degreesText(e.B0),
               degreesText(e.P), degreesText(e.L0), QString::number(e.rotation)});
    return CliOk;
}

} // namespace orvanek
