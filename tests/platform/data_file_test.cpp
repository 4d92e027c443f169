// The quoted write/input notation of the settings and colour setting files:
// the corners their round trips do not reach (those files' tests write and
// read strings, numbers and Booleans, the numbers inside the settings file's
// labelled strings such as " 2 Browser Window" too).

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
