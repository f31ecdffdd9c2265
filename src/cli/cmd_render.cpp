// orvanek-cli render: a view drawn into a file, exactly as its window paints it.
#include "cli/clioutput.h"
#include "data/observationstore.h"
#include "views/drawing/drawingpainter.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <optional>

namespace orvanek {

namespace {

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

struct RenderOptions {
    QString view;
    std::optional<int> record;
    bool mirrorX = false;
    bool mirrorY = false;
    QString outFile;
};

// Reads the options after "render"; a message when they are wrong.
std::optional<QString> parseOptions(const QStringList &args, RenderOptions &options) {
    const QString usage = cliUsage();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&](const QString &name) -> std::optional<QString> {
            if (a == name) {
                if (i + 1 >= args.size())
                    return std::nullopt;
                return args[++i];
            }
            return a.mid(name.size() + 1); // "--name=value"
        };
        if (a == QLatin1String("--mirror-x")) {
            options.mirrorX = true;
        } else if (a == QLatin1String("--mirror-y")) {
            options.mirrorY = true;
        } else if (a == QLatin1String("--out") || a.startsWith(QLatin1String("--out="))) {
            const auto v = value(QStringLiteral("--out"));
            if (!v || v->isEmpty())
                return usage;
            options.outFile = *v;
        } else if (a == QLatin1String("--record") || a.startsWith(QLatin1String("--record="))) {
            const auto v = value(QStringLiteral("--record"));
            if (!v)
                return usage;
            bool ok = false;
            const int n = v->toInt(&ok);
            if (!ok)
                return QStringLiteral("„%1“ není číslo záznamu").arg(*v);
            options.record = n;
        } else if (!a.startsWith(QLatin1Char('-')) && options.view.isEmpty()) {
            options.view = a;
        } else {
            return usage;
        }
    }
    if (options.view != QLatin1String("drawing") || options.outFile.isEmpty())
        return usage;
    return std::nullopt;
}

bool writePdf(const QString &path, const DrawingModel &model) {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Orvanek"));
    writer.setTitle(drawingCaption(model.dateText));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    return printDrawing(writer, model);
}

} // namespace

// Called by the dispatcher with everything after "render"; dir is the data directory.
int commandRender(const QString &dir, const QStringList &args, Output &out) {
    RenderOptions options;
    if (const auto problem = parseOptions(args, options))
        return out.fail(CliUsage, *problem);
    const auto format = formatOf(options.outFile);
    if (!format)
        return out.fail(
            CliUsage, QStringLiteral("soubor %1: umím jen .png, .bmp a .pdf").arg(options.outFile));
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return out.fail(CliDataProblem, QStringLiteral("kreslení potřebuje grafickou aplikaci"));

    if (!QFileInfo(dir).isDir())
        return out.fail(CliDataProblem, QStringLiteral("adresář %1 neexistuje").arg(dir));
    ObservationStore store;
    if (const StoreStatus status = store.loadStore(dir); !status)
        return out.fail(CliDataProblem, status.message);
    // Without the radius and entry kind the grid and the circles have no scale.
    if (!store.hasDrawingSetup())
        return out.fail(CliDataProblem,
                        QStringLiteral("záznam 1 nemá nastavení zákresu (poloměr, souřadnice)"));

    const int number = options.record.value_or(store.recordCount());
    if (number < 1 || number > store.recordCount())
        return out.fail(CliDataProblem, QStringLiteral("záznam %1 neexistuje (záznamů je %2)")
                                            .arg(number)
                                            .arg(store.recordCount()));

    DrawingSettings settings;
    settings.drawingRadius = store.drawingRadius();
    settings.heliographicEntry = store.heliographicEntry();
    settings.orientX = options.mirrorX ? -1 : 1;
    settings.orientY = options.mirrorY ? -1 : 1;
    settings.pivotYear = store.pivotYear();
    settings.fallbackDate = store.dateOf(store.record(1));
    const DrawingModel model = buildDrawingModel(store.record(number), settings);

    bool written = false;
    switch (*format) {
    case RenderFormat::Png:
        written = renderDrawing(model).save(options.outFile, "PNG");
        break;
    case RenderFormat::Bmp:
        written = renderDrawing(model).save(options.outFile, "BMP");
        break;
    case RenderFormat::Pdf:
        written = writePdf(options.outFile, model);
        break;
    }
    if (!written)
        return out.fail(CliDataProblem,
                        QStringLiteral("soubor %1 nelze zapsat").arg(options.outFile));

    const QSize size = drawingSize(model);
    out.line(QStringLiteral("file;record;date;width;height"));
    out.row({options.outFile, QString::number(number), model.dateText,
             QString::number(size.width()), QString::number(size.height())});
    return CliOk;
}

} // namespace orvanek
