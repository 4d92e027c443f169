#pragma once
// The line-number gutter beside an editor: one number per line of the text
// (a paragraph, which ends at CR LF; a wrapped line shows its number once),
// the caret's line in bold, in the editor's font, scrolling with the text.
// It paints only the lines in view, found by halving over the lines, so a
// long page costs no more than a short one.

#include <QWidget>

class QTextEdit;

class LineNumbers : public QWidget {
    Q_OBJECT
public:
    explicit LineNumbers(QTextEdit& editor);

    // Width for the largest line number, with a little room either side.
    int widthNeeded() const;
    // Paints the gutter onto painter-less targets too (benchmarks, tests).
    void paintInto(QPaintDevice& target) const;
    // The first line in view (0-based), by halving over the lines.
    int firstLineInView() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QTextEdit& editor_;
};
