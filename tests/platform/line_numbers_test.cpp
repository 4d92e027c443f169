// The line-number gutter: it numbers lines, not wrapped rows; it follows
// scrolling; it makes room for the largest number; and it goes away.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/line_numbers.h"
#include "platform/rich_text_box.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>

class LineNumbersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { tesk::test::resetProgram(); }

    void numbersFollowTheText_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("lineLength");  // long lines wrap
        QTest::addColumn<int>("scrollTo");    // the line at the top
        QTest::newRow("short page, top") << 20 << 10 << 0;
        QTest::newRow("long page, middle") << 3000 << 30 << 1500;
        QTest::newRow("wrapped lines count once") << 400 << 600 << 250;
    }
    void numbersFollowTheText()
    {
        QFETCH(int, lines);
        QFETCH(int, lineLength);
        QFETCH(int, scrollTo);
        RichTextBox box;
        box.resize(400, 300);
        box.show();
        QStringList text;
        for (int i = 0; i < lines; ++i)
            text << QStringLiteral("w ").repeated(lineLength / 2);
        box.setText(text.join(QStringLiteral("\r\n")));
        box.setLineNumbers(true);
        LineNumbers* gutter = box.lineNumbers();
        QVERIFY(gutter && gutter->isVisible());
        QCOMPARE(box.viewport()->geometry().left() - box.contentsRect().left(), gutter->width());
        const QTextBlock line = box.document()->findBlockByNumber(scrollTo);
        box.verticalScrollBar()->setValue(int(box.document()->documentLayout()->blockBoundingRect(line).top()));
        QCOMPARE(gutter->firstLineInView(), scrollTo);

        box.setLineNumbers(false);
        QVERIFY(!box.lineNumbers());
        QCOMPARE(box.viewport()->geometry().left(), box.contentsRect().left());
    }

    // Room for every digit of the last line's number, and no less than
    // three, so the text does not move while a page grows to 100 lines.
    void roomForTheLargestNumber()
    {
        RichTextBox box;
        box.setLineNumbers(true);
        const int three = box.lineNumbers()->widthNeeded();
        box.setText(QString(98, QLatin1Char('\n')));  // 99 lines
        QCOMPARE(box.lineNumbers()->widthNeeded(), three);
        box.setText(QString(10000, QLatin1Char('\n')));
        QCOMPARE(box.lineNumbers()->widthNeeded() - three, 2 * box.fontMetrics().horizontalAdvance(QLatin1Char('9')));
    }
};
TESK_TEST(LineNumbersTest)

#include "line_numbers_test.moc"
