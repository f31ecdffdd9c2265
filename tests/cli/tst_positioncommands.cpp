// check --positions and the import's notice of groups placed elsewhere than the days around
// them say: the tracked groups of twelve June days, with and without a slip of the angle.
#include "clirunner.h"
#include "data/observationstore.h"
#include "testregistry.h"
#include "trackedgroups.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace orvanek;
using namespace orvanek::testing;

namespace {

// The slip: group 15 on day 4 (14.06.2024) typed 10 degrees round, which moves it
// sin 33 x 10 = 5.4 degrees along the meridian; its drawings of days 1, 2, 3, 5 and 6 place it.
constexpr int kSlipDay = 4;
constexpr int kSlipGroup = 15;

QStringList lines(const QString &text) {
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestPositionCommands : public QObject {
    Q_OBJECT

  private slots:
    void checkPositions_data() {
        QTest::addColumn<bool>("slip");
        QTest::newRow("as drawn") << false;
        QTest::newRow("angle 10 degrees out") << true;
    }
    void checkPositions() {
        QFETCH(bool, slip);
        QTemporaryDir dir;
        std::vector<ObservationRecord> records = trackedRecords();
        records[0].drawingSetup = 125;
        if (slip)
            records[kSlipDay].group(trackedSlot(kSlipDay, kSlipGroup)).angle += 100;
        QVERIFY(writeDataDirectory(dir.path(), records));

        const CliRun r = runCliCommand({"-d", dir.path(), "check", "--positions"});
        QCOMPARE(r.status, 0); // found or not
        QCOMPARE(r.err, QString());
        const QStringList out = lines(r.out);
        QCOMPARE(out.value(0), QStringLiteral("record;date;rotationGroup;latitude;longitude;"
                                              "expectedLatitude;expectedLongitude;neighbours"));
        QCOMPARE(out.size(), slip ? 2 : 1);
        if (!slip)
            return;
        const QStringList row = out[1].split(QLatin1Char(';'));
        QCOMPARE(row.mid(0, 3), (QStringList{"5", "14.06.2024", "15"}));
        static const QRegularExpression twoDecimals(QStringLiteral("^-?\\d+\\.\\d\\d$"));
        for (int column = 3; column <= 6; ++column)
            QVERIFY2(twoDecimals.match(row.value(column)).hasMatch(),
                     qPrintable(row.value(column)));
        const auto [b, l] = trackedPlace(kTrackedGroups[3], kSlipDay);
        QCOMPARE(kTrackedGroups[3].number, kSlipGroup);
        QVERIFY2(std::fabs(row[5].toDouble() - b) < 0.25, qPrintable(out[1]));
        QVERIFY2(std::fabs(std::remainder(row[6].toDouble() - l, 360.0)) < 0.25,
                 qPrintable(out[1]));
        QVERIFY2(std::fabs(std::fabs(row[3].toDouble() - b) - 5.4) < 1, qPrintable(out[1]));
        QCOMPARE(row.value(7), QStringLiteral("5"));
    }

    // The same twelve days typed into an import file, in polar entry on a 125 mm drawing: the
    // slip is told on standard error with the line of its G row, and stored all the same.
    void importTellsOfTheSlipByItsLine_data() {
        QTest::addColumn<bool>("slip");
        QTest::newRow("as drawn") << false;
        QTest::newRow("angle 10 degrees out") << true;
    }
    void importTellsOfTheSlipByItsLine() {
        QFETCH(bool, slip);
        QTemporaryDir dir;
        QByteArray text;
        int line = 0;
        int slipLine = 0;
        const std::vector<ObservationRecord> records = trackedRecords();
        for (int day = 0; day < kTrackedDays; ++day) {
            const ObservationRecord &r = records[static_cast<size_t>(day)];
            text += "O;" + readText(r.dateText).toUtf8() + ";" + QByteArray::number(r.timeUT) +
                    ";Jan Novák;Praha;1;1;1;0;0;0;0;\n";
            ++line;
            for (int slot = 1; slot <= r.groupCount; ++slot) {
                const SunspotGroup &g = r.group(slot);
                const bool slipped =
                    slip && day == kSlipDay && slot == trackedSlot(day, kSlipGroup);
                const int angle = (g.angle + (slipped ? 100 : 0)) % 3600;
                text += "G;Dkc;3;1;" + QByteArray::number(angle / 10.0, 'f', 1) + ";" +
                        QByteArray::number(g.distance / 10.0, 'f', 1) + ";10;0;0;" +
                        QByteArray::number(g.rotationGroupNumber) + "\n";
                ++line;
                if (slipped)
                    slipLine = line;
            }
        }
        QFile file(dir.filePath("june.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();

        const CliRun r = runCliCommand(
            {"-d", dir.path(), "import", file.fileName(), "--radius", "125", "--polar"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(r.out, QStringLiteral("imported\n12\n"));
        const QStringList err = lines(r.err);
        QCOMPARE(err.size(), slip ? 1 : 0);
        if (slip) {
            QVERIFY2(err[0].startsWith(QStringLiteral("řádek %1: Skupina 15: o ").arg(slipLine)),
                     qPrintable(err[0]));
            QVERIFY2(err[0].endsWith(QStringLiteral(" jinde, než čekám podle 11., 12., 13., "
                                                    "15. a 16.06.")),
                     qPrintable(err[0]));
        }
        // Stored as typed.
        std::vector<ObservationRecord> stored;
        QVERIFY(readDataFile(dir.filePath("data1.dat"), stored));
        QCOMPARE(stored.size(), size_t(kTrackedDays));
        const int slot = trackedSlot(kSlipDay, kSlipGroup);
        QCOMPARE(stored[kSlipDay].group(slot).angle,
                 uint16_t((records[kSlipDay].group(slot).angle + (slip ? 100 : 0)) % 3600));
    }
};

ORVANEK_REGISTER_TEST(TestPositionCommands);
#include "tst_positioncommands.moc"
