// Distances typed and shown in inches or centimetres.

#include "tesk_test.h"

#include "core/measure.h"

class MeasureTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void conversions_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("twips");
        QTest::newRow("2.25 in") << 1 << "2.25" << "2 1/4\"" << 2.25f << 3240;
        QTest::newRow("0.5 in") << 1 << "0.5" << "1/2\"" << 0.5f << 720;
        QTest::newRow("1.99 in") << 1 << "1.99" << "1 7/8\"" << 1.99f << 2865;
        QTest::newRow("3 1/2\" in") << 1 << "3 1/2\"" << "3 1/2\"" << 3.5f << 5040;
        QTest::newRow("trailing blanks") << 1 << "3 1/2 \" " << "3 1/2\"" << 3.5f << 5040;
        QTest::newRow("1/3 in") << 1 << "1/3" << "1/3\"" << 0.333f << 479;
        QTest::newRow("whole in") << 1 << "2" << "2\"" << 2.0f << 2880;
        QTest::newRow("2.1 in: no eighth") << 1 << "2.1" << "2\"" << 2.1f << 3024;
        QTest::newRow("zero in") << 1 << "0" << "" << 0.0f << 0;
        QTest::newRow("3/0 in") << 1 << "3/0" << "3/0\"" << 1.0f << 1440;
        QTest::newRow("2.54 cm") << 2 << "2.54" << "2.5 cm" << 2.54f << 1440;
        QTest::newRow("3 cm") << 2 << "3" << "3 cm" << 3.0f << 1700;
        QTest::newRow("2.5 cm shown") << 2 << "2.5 cm" << "2.5 cm" << 2.5f << 1417;
        QTest::newRow(".5 cm") << 2 << "0.5" << ".5 cm" << 0.5f << 283;
    }
    void conversions()
    {
        QFETCH(int, units);
        QFETCH(QString, typed);
        QFETCH(float, value);
        QTEST(Measure_Text(typed, units), "shown");
        const float v = Measure_Value(typed, units);
        QVERIFY2(qAbs(v - value) < 1e-4f, qPrintable(QString::number(v)));
        QTEST(Measure_Twips(v, units), "twips");
    }

    // Stored distances as shown in inches; every eighth of an inch shown
    // reads back to the same twips. (Centimetres: the Options and Page Setup
    // windows' tests.)
    void storedDistances_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<QString>("shown");
        QTest::newRow("180 twips in") << 180 << "1/8\"";
        QTest::newRow("1080 twips in") << 1080 << "3/4\"";
        QTest::newRow("1440 twips in") << 1440 << "1\"";
        QTest::newRow("2340 twips in") << 2340 << "1 5/8\"";
        QTest::newRow("4500 twips in") << 4500 << "3 1/8\"";
        QTest::newRow("0 twips") << 0 << "";
    }
    void storedDistances()
    {
        QFETCH(int, twips);
        QFETCH(QString, shown);
        QCOMPARE(Inch_Fraction(Twips_Measure(twips, 1), 1), shown);
        QCOMPARE(Measure_Twips(Measure_Value(shown, 1), 1), twips);
    }
};
TESK_TEST(MeasureTest)

#include "measure_test.moc"
