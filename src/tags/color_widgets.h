#pragma once
// The two drawn controls of the Colours tool.
//
// PaletteGrid shows every cell of one palette (216 or 140) and paints them
// itself: one widget instead of a control per cell keeps the tool quick to
// open. Cells lie 300 twips apart, column by column; the current cell is
// drawn enlarged by 75 twips on every side, in front of its neighbours. The
// grid takes the focus as one control: Home, End and the arrow keys move
// the current cell, a click chooses one, and each cell's text is its tool tip.
//
// ColorPreview paints a sample page: a background (a colour or a tiled
// pattern), optionally a table of one cell inside it (the table's background
// showing around the cell by the cell spacing), and sample labels in their
// colours, over the page and inside the cell.

#include "tags/palettes.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <vector>

class PaletteGrid : public QWidget {
    Q_OBJECT
public:
    explicit PaletteGrid(palettes::Kind kind, QWidget* parent = nullptr);

    palettes::Kind kind() const { return kind_; }
    int currentCell() const { return current_; }
    // Shows cell as the current (enlarged) one; the one enlarged before goes
    // back to its place. -1 enlarges none.
    void setCurrentCell(int cell);

    // A cell's place and its enlarged rectangle, in pixels.
    QRect cellRect(int cell) const;
    QRect enlargedRect(int cell) const;
    int cellAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // The user clicked a cell or moved with a key (only when it changes).
    void cellChosen(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void choose(int cell);

    palettes::Kind kind_;
    std::vector<QColor> colors_;  // by cell, converted once
    int current_ = -1;
    int pitch_ = 20;   // pixels from one cell to the next
    int size_ = 17;    // a cell's side
    int grow_ = 5;     // the enlargement on every side
};

class ColorPreview : public QWidget {
    Q_OBJECT
public:
    struct Fill {
        QColor color;
        QPixmap pattern;  // drawn tiled instead of the colour when not null
    };
    struct Label {
        QString text;
        QColor color;
        bool underline = false;
    };

    explicit ColorPreview(QWidget* parent = nullptr);

    void setPage(const Fill& fill);
    void setPageLabels(const std::vector<Label>& labels);
    // A table of one cell at the right of the page; spacing in pixels.
    void setTable(bool shown, const Fill& table, const Fill& cell, int spacing);
    void setCellLabels(const std::vector<Label>& labels);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintLabels(class QPainter& p, const QRect& area, const std::vector<Label>& labels) const;

    Fill page_;
    Fill table_;
    Fill cell_;
    bool tableShown_ = false;
    int spacing_ = 0;
    std::vector<Label> pageLabels_;
    std::vector<Label> cellLabels_;
};
