// The quoted write/input notation of the settings and colour setting files.
// The settings file test reads and writes the numbers inside its labelled
// strings (" 2 Browser Window").

#include "tesk_test.h"

#include "platform/data_file.h"

class DataFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numbersInsideStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("no number") << "Browser" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("plus sign") << "+7x" << 7;
        QTest::newRow("absurd") << "99999999999999999999" << 2147483647;
    }
    void numbersInsideStrings()
    {
        QFETCH(QString, text);
        QTEST(data_file::intValue(text), "value");
    }

    void itemsReadBack()
    {
        data_file::Writer w;
        w.writeString(QStringLiteral("a, b"));
        w.writeString(QString());
        w.writeNumber(-360);
        w.writeBoolean(true);
        w.writeBoolean(false);
        QCOMPARE(w.text(), QStringLiteral("\"a, b\"\r\n\"\"\r\n-360\r\n#TRUE#\r\n#FALSE#\r\n"));

        data_file::Reader r(w.text());
        QCOMPARE(r.readString().value(), QStringLiteral("a, b"));
        QCOMPARE(r.readString().value(), QString());
        QCOMPARE(r.readNumber().value(), -360);
        QCOMPARE(r.readBoolean().value(), true);
        QCOMPARE(r.readBoolean().value(), false);
        QVERIFY(r.atEnd());
        QVERIFY(!r.readString().has_value());
    }

    void unusualItems()
    {
        // Unquoted strings end at a comma; empty lines are empty items; a quote
        // inside a string ends it (nothing is escaped); a non-Boolean fails.
        data_file::Reader r(QStringLiteral("one,two\r\n\r\n\"say \"hi\"\"\r\nmaybe\r\n"));
        QCOMPARE(r.readString().value(), QStringLiteral("one"));
        QCOMPARE(r.readString().value(), QStringLiteral("two"));
        QCOMPARE(r.readString().value(), QString());
        QCOMPARE(r.readString().value(), QStringLiteral("say "));
        QVERIFY(!r.readBoolean().has_value());
    }
};
TESK_TEST(DataFileTest)

#include "data_file_test.moc"
