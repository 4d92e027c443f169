#include "platform/line_numbers.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace {
constexpr int kPadding = 4;  // pixels either side of the numbers
}

LineNumbers::LineNumbers(QTextEdit& editor) : QWidget(&editor), editor_(editor)
{
    setObjectName(QStringLiteral("gutter"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

int LineNumbers::widthNeeded() const
{
    int digits = 1;
    for (int n = std::max(1, editor_.document()->blockCount()); n >= 10; n /= 10)
        ++digits;
    digits = std::max(digits, 3);  // the gutter does not jump while a page grows to 100 lines
    return 2 * kPadding + editor_.fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

int LineNumbers::firstLineInView() const
{
    const QTextDocument& doc = *editor_.document();
    const QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    const int top = editor_.verticalScrollBar()->value();
    int lo = 0, hi = doc.blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (layout.blockBoundingRect(doc.findBlockByNumber(mid)).top() <= top)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

void LineNumbers::paintInto(QPaintDevice& target) const
{
    QPainter p(&target);
    const QRect area(0, 0, target.width(), target.height());
    p.fillRect(area, palette().color(QPalette::Window));
    const QTextDocument& doc = *editor_.document();
    const QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    const int scroll = editor_.verticalScrollBar()->value();
    const int offset = editor_.viewport()->y() - y();
    const int caretLine = editor_.textCursor().blockNumber();
    QFont plain = editor_.font(), bold = plain;
    bold.setBold(true);
    p.setPen(palette().color(QPalette::WindowText));
    const int lineHeight = editor_.fontMetrics().height();
    for (QTextBlock b = doc.findBlockByNumber(firstLineInView()); b.isValid(); b = b.next()) {
        const int top = int(layout.blockBoundingRect(b).top()) - scroll + offset;
        if (top > area.height())
            break;
        const bool caret = b.blockNumber() == caretLine;
        p.setFont(caret ? bold : plain);
        p.drawText(QRect(0, top, area.width() - kPadding, lineHeight), Qt::AlignRight | Qt::AlignTop,
                   QString::number(b.blockNumber() + 1));
    }
}

void LineNumbers::paintEvent(QPaintEvent*)
{
    paintInto(*this);
}
