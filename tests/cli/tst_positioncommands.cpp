// check --positions and the import's notice, on the tracked groups with and without group 15
// of 28.06.2024 (day 4) typed 10 degrees round: 5.4 degrees of latitude, placed by the
// drawings of days 1, 2, 3, 5 and 6.
#include "clirunner.h"
#include "testregistry.h"
#include "trackedgroups.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanek;
using namespace orvanek::testing;

class TestPositionCommands : public QObject {
    Q_OBJECT

  private slots:
    void slipIsListedAndTold_data() {
        QTest::addColumn<int>("slip"); // tenths of a degree
        QTest::newRow("as drawn") << 0;
        QTest::newRow("angle 10 degrees out") << 100;
    }
    void slipIsListedAndTold() {
        QFETCH(int, slip);
        QTemporaryDir dir;
        std::vector<ObservationRecord> records = trackedRecords();
        const int slot = trackedSlot(4, 15);
        records[4].group(slot).angle += static_cast<uint16_t>(slip);
        records[0].drawingSetup = 125;
        QVERIFY(writeDataDirectory(dir.path(), records));
        const CliRun check = runCliCommand({"-d", dir.path(), "check", "--positions"});
        QCOMPARE(check.status, 0); // found or not
        const QStringList rows = check.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.value(0), QStringLiteral("record;date;rotationGroup;latitude;longitude;"
                                               "expectedLatitude;expectedLongitude;neighbours"));
        QCOMPARE(rows.size(), slip ? 2 : 1);
        if (slip) {
            const auto [b, l] = trackedPlace(kTrackedGroups[3], 4); // group 15
            static const QRegularExpression row(
                QStringLiteral("^5;28\\.06\\.2024;15;(-?\\d+\\.\\d\\d);(\\d+\\.\\d\\d);(-?\\d+\\."
                               "\\d\\d);(\\d+\\.\\d\\d);5$"));
            const QRegularExpressionMatch m = row.match(rows[1]);
            QVERIFY2(m.hasMatch(), qPrintable(rows[1]));
            QVERIFY(std::fabs(m.captured(3).toDouble() - b) < 0.25);
            QVERIFY(std::fabs(std::remainder(m.captured(4).toDouble() - l, 360.0)) < 0.25);
        }

        // Day 4 typed into an import file (polar, 125 mm) beside the other days already stored:
        // told by the line of the group's G row.
        QTemporaryDir other;
        std::vector<ObservationRecord> others = records;
        others.erase(others.begin() + 4);
        QVERIFY(writeDataDirectory(other.path(), others));
        const ObservationRecord &r = records[4];
        QByteArray text =
            "O;28.06.2024;" + QByteArray::number(r.timeUT) + ";Jan;Praha;1;1;1;0;0;0;0\n";
        for (int i = 1; i <= r.groupCount; ++i)
            text += "G;Dkc;3;1;" + QByteArray::number(r.group(i).angle % 3600 / 10.0, 'f', 1) +
                    ";" + QByteArray::number(r.group(i).distance / 10.0, 'f', 1) + ";10;0;0;" +
                    QByteArray::number(r.group(i).rotationGroupNumber) + "\n";
        QFile file(other.filePath("day.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        const CliRun import = runCliCommand({"-d", other.path(), "import", file.fileName()});
        QCOMPARE(import.status, 0);
        QCOMPARE(import.out, QStringLiteral("imported\n1\n"));
        static const QRegularExpression told(QStringLiteral(
            "^řádek (\\d+): Skupina 15: o \\d+,\\d° v šířce jinde, než čekám podle 25\\., 26\\., "
            "27\\., 29\\. a 30\\.06\\.\\n$"));
        const QRegularExpressionMatch m = told.match(import.err);
        QVERIFY2(slip ? m.hasMatch() && m.captured(1).toInt() == 1 + slot : import.err.isEmpty(),
                 qPrintable(import.err));
    }

    // Group 15 of day 4 typed 10 degrees round and day 6 drawn at 22:30 instead of 10:30: the
    // group's row, then the drawing's row in its record's place, none of its groups; the
    // tolerances used on standard error.
    void drawingRowInItsPlace() {
        QTemporaryDir dir;
        std::vector<ObservationRecord> records = trackedRecords();
        records[4].group(trackedSlot(4, 15)).angle += 100;
        records[6].timeUT += 1200;
        QVERIFY(writeDataDirectory(dir.path(), records));
        const CliRun check = runCliCommand({"-d", dir.path(), "check", "--positions"});
        QCOMPARE(check.status, 0);
        const QStringList rows = check.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        QVERIFY2(rows[1].startsWith(QStringLiteral("5;28.06.2024;15;")), qPrintable(rows[1]));
        QCOMPARE(rows[2], QStringLiteral("drawing;7;30.06.2024;time;30.06.2024 1030"));
        QVERIFY2(
            QRegularExpression(QStringLiteral("^tolerance: šířka 3,0°, délka 3,0° \\+ 0,7°/den, "
                                              "pevná \\(jen \\d+ dvojic\\)\\n$"))
                .match(check.err)
                .hasMatch(),
            qPrintable(check.err));
    }
};

ORVANEK_REGISTER_TEST(TestPositionCommands);
#include "tst_positioncommands.moc"
