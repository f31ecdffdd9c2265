// orvanek-cli scan: a made scan of the sheet registered and points placed, options that
// disagree with the code, and what is refused with which status.
#include "clirunner.h"
#include "madescans.h"
#include "solar/conversion.h"
#include "testregistry.h"

#include <QLineF>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cmath>
#include <numbers>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

QStringList lines(const QString &text) {
    return text.split('\n', Qt::SkipEmptyParts);
}

QString value(const QStringList &rows, const QString &field) {
    for (const QString &row : rows)
        if (row.startsWith(field + ';'))
            return row.section(';', 1);
    return {};
}

} // namespace

class TestScanCommands : public QObject {
    Q_OBJECT

  private slots:
    void sheetRegistered_data() {
        QTest::addColumn<int>("orientX");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("moment");
        QTest::addColumn<QString>("warning");
        // clang-format off
        QTest::newRow("upright, JPEG") << 1 << "sken.jpg" << QStringList{} << "21.06.2001 0830;code" << "";
        // The options win over the code, with a warning; the group's place stays.
        QTest::newRow("east-west mirrored, PNG, another time")
            << -1 << "sken.png" << QStringList{"--date", "21.06.2001", "--time", "0915"}
            << "21.06.2001 0915;options" << "okamžik 21.06.2001 0915 se liší od kódu šablony (21.06.2001 0830); platí volba";
        // clang-format on
    }
    void sheetRegistered() {
        QFETCH(int, orientX);
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(QString, moment);
        QFETCH(QString, warning);
        // A4, R 70, 150 dpi (5.906 pixels per mm), turned 4 degrees.
        const SheetModel model = sheetOf2001(70, orientX);
        const MadeScan made = scanOfSheet(model, {150, 4, QPointF(2, 3), 4, 75});
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        QVERIFY(made.image.save(path));
        // A group at b 20, l L0 - 30 (east of the centre), and a point 2 mm beyond the limb
        // straight up the drawing.
        const Ephemeris &e = model.ephemeris;
        const PolarPosition p = heliographicToPolar(e, 20, float(e.L0 - 30), 70);
        const double a = p.polarAngle * kDeg;
        const QPointF group =
            made.drawingToImage.map(QPointF(orientX * std::sin(a), -std::cos(a)) * p.polarDistance);
        const auto text = [](QPointF q) { return QStringLiteral("%1,%2").arg(q.x()).arg(q.y()); };
        const QPointF outside = made.drawingToImage.map(QPointF(0, -72));
        const CliRun r = runCliCommand(QStringList{"-d", dir.path(), "scan", path, "--at",
                                                   text(group), "--at", text(outside)} +
                                       options);
        // The point beyond the limb makes it a data problem, after every row is printed.
        QCOMPARE(r.status, 1);
        const QStringList rows = lines(r.out);
        QCOMPARE(rows.value(0), QStringLiteral("field;value"));
        QCOMPARE(value(rows, "moment") + ';' + value(rows, "momentFrom"), moment);
        QCOMPARE(value(rows, "radius") + value(rows, "mirrorX") + value(rows, "mirrorY"),
                 orientX < 0 ? QStringLiteral("7010") : QStringLiteral("7000"));
        const QPointF centre = made.drawingToImage.map(QPointF());
        const auto number = [&](const char *field) { return value(rows, field).toDouble(); };
        QVERIFY(QLineF(centre, QPointF(number("limbX"), number("limbY"))).length() < 0.3 * 5.906);
        QVERIFY(std::abs(number("limbRadius") / (70 * 5.906) - 1) < 0.002);
        QVERIFY(std::abs(number("turn") - 4) < 0.1 &&
                std::abs(number("dotsPerMm") - 5.906) < 0.012);
        // Two decimals, the place within the tolerances of a click.
        const QStringList at = value(rows, "at").split(';');
        QVERIFY(at.size() == 6 && at[2].contains(QRegularExpression("^\\d+\\.\\d\\d$")));
        QVERIFY(std::abs(at[2].toDouble() - std::fmod(p.polarAngle + 360, 360)) <= 0.3);
        QVERIFY(std::abs(at[3].toDouble() - p.polarDistance) <= 0.3);
        QVERIFY(std::abs(at[4].toDouble() - 20) <= 0.5 &&
                std::abs(at[5].toDouble() - (e.L0 - 30)) <= 0.5);
        // Beyond the limb: angle 0, 72 mm, no l and b, and a warning.
        const QStringList beyond = rows.last().split(';');
        QVERIFY(std::abs(std::remainder(beyond[3].toDouble(), 360)) <= 0.3);
        QVERIFY(std::abs(beyond[4].toDouble() - 72) <= 0.3 &&
                beyond.mid(5) == QStringList({"", ""}));
        QVERIFY(r.err.contains("mimo kotouč") && r.err.contains(warning));
    }

    void spotsListed_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<double>("scale"); // of the drawing's mm to the sheet's
        QTest::newRow("R from the code") << QStringList{} << 1.0;
        // R given twice the code's: every distance twice, every area four times as large.
        QTest::newRow("R 140 given") << QStringList{"--radius", "140"} << 2.0;
    }
    void spotsListed() {
        QFETCH(QStringList, options);
        QFETCH(double, scale);
        // A4, R 70, 150 dpi: group 1 of an outline of 4 mm round a core and a filled spot
        // of 2 mm 4 mm to its right, up and left of the centre; group 2 a spot of 3 mm
        // down and right; a pencil speck of 0.2 mm that is no spot.
        const SheetModel model = sheetOf2001(70);
        const double k = pixelsPerMm(150);
        QImage page = renderSheet(model, 150);
        drawPencilSpots(page, sheetDrawingToPage(model, 150),
                        {{{-20, -25}, 2, true}, {{-16, -25}, 1}, {{25, 30}, 1.5}, {{5, 5}, 0.1}});
        const ScanRecipe recipe{150, 3, QPointF(), 4, 75};
        QTemporaryDir dir;
        const QString path = dir.filePath("sken.jpg");
        QVERIFY(scanPage(page, recipe).save(path));
        const CliRun r =
            runCliCommand(QStringList{"-d", dir.path(), "scan", path, "--spots"} + options);
        QCOMPARE(r.status, 0);
        const QStringList rows = lines(r.out);
        QCOMPARE(rows.size(), 5);
        // Groups numbered round the disk: the one down and right (position angle 140) first.
        QVERIFY(rows[0].startsWith("spot;1;") && rows[1].startsWith("spot;2;") &&
                rows[2].startsWith("spot;2;"));
        const QPointF at = sheetDrawingToScan(model, recipe).map(QPointF(25, 30));
        const QStringList first = rows[0].split(';');
        QVERIFY(first.size() == 9 && first[2].contains(QRegularExpression("^\\d+\\.\\d\\d$")));
        QVERIFY(QLineF(QPointF(first[2].toDouble(), first[3].toDouble()), at).length() < 0.3 * k);
        // The groups: their spots, penumbrae and area (π r² summed), their place the
        // area-weighted centre: (-20 × 4² + -16 × 2²) / 20 = -19.2 across, -25 down.
        const auto place = [](QPointF mm) {
            return QPointF(std::fmod(std::atan2(mm.x(), -mm.y()) / kDeg + 360, 360),
                           std::hypot(mm.x(), mm.y()));
        };
        // The class last: a lone spot without a penumbra; a pair 4 mm apart on R 70 (3.3
        // degrees), the small spot 2 mm (1.6 degrees) from the border of the other's penumbra,
        // which is round about its core and 3.3 degrees across: unipolar.
        const struct {
            QString counts;
            double area;
            QPointF mm;
            QString type;
        } groups[] = {{"group;1;0", 2.25 * std::numbers::pi, {25, 30}, "Axx"},
                      {"group;2;1", (4 + 1) * std::numbers::pi, {-19.2, -25}, "Hhx"}};
        for (int i = 0; i < 2; ++i) {
            const QStringList g = rows[3 + i].split(';');
            QCOMPARE(g.mid(0, 3).join(';'), groups[i].counts);
            QCOMPARE(g.value(8), groups[i].type);
            const QPointF want = place(groups[i].mm);
            QVERIFY(std::abs(g[3].toDouble() - want.x()) <= 0.3);
            QVERIFY(std::abs(g[4].toDouble() - want.y() * scale) <= 0.3 * scale);
            QVERIFY(std::abs(g[5].toDouble() / (groups[i].area * scale * scale) - 1) <= 0.15);
        }
    }

    void refused_data() {
        QTest::addColumn<QString>("image"); // what the file holds
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("no limb") << "blank" << QStringList{} << 1 << "okraj kotouče";
        QTest::newRow("a strip 600 x 1") << "strip" << QStringList{} << 1 << "okraj kotouče";
        QTest::newRow("a sheet's code covered") << "covered" << QStringList{"--date", "21.06.2001", "--time", "0830"} << 1 << "nelze přečíst";
        QTest::newRow("R below the smallest sheet") << "plain" << QStringList{"--radius", "1e-300"} << 2 << "--radius";
        QTest::newRow("a plain drawing without a moment") << "plain" << QStringList{} << 1 << "--date a --time";
        QTest::newRow("not an image") << "text" << QStringList{} << 1 << "nelze přečíst";
        QTest::newRow("a pipe, not waited on") << "pipe" << QStringList{} << 1 << "roura";
        QTest::newRow("a date without a time") << "plain" << QStringList{"--date", "01.05.2001"} << 2 << "--date a --time";
        QTest::newRow("a point without Y") << "plain" << QStringList{"--date", "01.05.2001", "--time", "800", "--at", "100"} << 2 << "--at";
        QTest::newRow("north not a number") << "plain" << QStringList{"--north-angle", "sever"} << 2 << "--north-angle";
        QTest::newRow("a point off the image") << "plain" << QStringList{"--date", "01.05.2001", "--time", "800", "--at", "1e308,1e308"} << 2 << "--at: bod 1e308,1e308 leží mimo obrázek (";
        // clang-format on
    }
    void refused() {
        QFETCH(QString, image);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("sken.png");
        if (image == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (image == "text") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("no picture") > 0);
        } else if (image == "covered") {
            const SheetModel model = sheetOf2001(70);
            QImage page = renderSheet(model, 150).convertToFormat(QImage::Format_Grayscale8);
            QPainter(&page).fillRect(
                sheetDrawingToPage(model, 150).mapRect(model.codeMm.translated(-model.centre)),
                Qt::white);
            QVERIFY(page.save(path));
        } else if (image == "blank" || image == "strip") {
            QImage blank(image == "strip" ? QSize(600, 1) : QSize(800, 1100),
                         QImage::Format_Grayscale8);
            blank.fill(Qt::white);
            QVERIFY(blank.save(path));
        } else {
            QVERIFY(
                scanOfPlainDrawing({150, 200}, 60, 1, {100, 0, QPointF(), 0, -1}).image.save(path));
        }
        const CliRun r = runCliCommand(QStringList{"-d", dir.path(), "scan", path} + options);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }
};

ORVANEK_REGISTER_TEST(TestScanCommands);
#include "tst_scancommands.moc"
