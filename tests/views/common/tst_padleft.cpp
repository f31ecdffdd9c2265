// Right-aligned number texts.
#include "testregistry.h"
#include "views/common/padleft.h"

#include <QFontMetrics>

using namespace orvanek;

class TestPadLeft : public QObject {
    Q_OBJECT

  private slots:
    void spaces_data() {
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("spaces");
        QTest::newRow("exactly as wide") << 30 << 30 << 0;
        QTest::newRow("wider") << 45 << 30 << 0;
        QTest::newRow("1 px narrower") << 29 << 30 << 0;
        QTest::newRow("5 px narrower") << 25 << 30 << 0;
        QTest::newRow("6 px narrower") << 24 << 30 << 1;
        QTest::newRow("8 px narrower") << 22 << 30 << 1;
        QTest::newRow("9 px narrower") << 21 << 30 << 2;
        QTest::newRow("47 px narrower") << 3 << 50 << 14;
        QTest::newRow("48 px narrower") << 2 << 50 << 15;
        QTest::newRow("capped at 15") << 0 << 200 << 15;
    }
    void spaces() {
        QFETCH(int, textWidth);
        QFETCH(int, width);
        QFETCH(int, spaces);
        QCOMPARE(padSpaces(textWidth, width), spaces);
    }

    void measuresWithTheCanvasFont() {
        const QFontMetrics metrics(canvasFont());
        QCOMPARE(canvasFont().pointSize(), 8);
        const ColumnAligner aligner;
        for (const QString text : {"7", "125", "-12.50", "12345"}) {
            const QString padded = aligner.padLeft(text, 50);
            QVERIFY(padded.endsWith(text));
            const int n = padded.size() - text.size();
            QCOMPARE(n, padSpaces(metrics.horizontalAdvance(text), 50));
            QVERIFY(padded.left(n).trimmed().isEmpty());
        }
        // A wider text gets fewer spaces.
        QVERIFY(aligner.padLeft("1", 40).size() - 1 > aligner.padLeft("12345", 40).size() - 5);
    }
};

ORVANEK_REGISTER_TEST(TestPadLeft);
#include "tst_padleft.moc"
