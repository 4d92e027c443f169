#include "tags/color_widgets.h"

#include "platform/palette.h"
#include "platform/screen.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>

// ---- PaletteGrid ------------------------------------------------------------------

PaletteGrid::PaletteGrid(palettes::Kind kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    const int count = palettes::Shape_Of(kind).count;
    colors_.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        colors_.push_back(QColor_From_Bgr(palettes::Cell_Value(kind, i)));
    // Cells 300 twips apart with a small gap between them; the current one
    // grows by 75 twips on every side.
    pitch_ = std::max(6, Px_From_Twips_X(300));
    grow_ = std::max(2, Px_From_Twips_X(75));
    size_ = std::max(4, pitch_ - std::max(2, pitch_ / 7));
}

void PaletteGrid::setCurrentCell(int cell)
{
    if (cell == current_)
        return;
    const int before = current_;
    current_ = cell;
    if (before >= 0)
        update(enlargedRect(before).adjusted(-2, -2, 2, 2));
    if (cell >= 0)
        update(enlargedRect(cell).adjusted(-2, -2, 2, 2));
}

QRect PaletteGrid::cellRect(int cell) const
{
    const int column = palettes::Column_Of(kind_, cell);
    const int row = palettes::Row_Of(kind_, cell);
    // The margin leaves room for an enlarged cell at the edges.
    return QRect(grow_ + 1 + column * pitch_, grow_ + 1 + row * pitch_, size_, size_);
}

QRect PaletteGrid::enlargedRect(int cell) const
{
    return cellRect(cell).adjusted(-grow_, -grow_, grow_, grow_);
}

int PaletteGrid::cellAt(const QPoint& pos) const
{
    const int x = pos.x() - grow_ - 1;
    const int y = pos.y() - grow_ - 1;
    if (x < 0 || y < 0)
        return -1;
    return palettes::Cell_At(kind_, x / pitch_, y / pitch_);
}

QSize PaletteGrid::sizeHint() const
{
    const palettes::Shape s = palettes::Shape_Of(kind_);
    return QSize(2 * (grow_ + 1) + (s.columns() - 1) * pitch_ + size_,
                 2 * (grow_ + 1) + (s.perColumn - 1) * pitch_ + size_);
}

void PaletteGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    const QColor edge = palette().color(QPalette::Dark);
    p.setPen(edge);
    for (int i = 0; i < int(colors_.size()); ++i) {
        if (i == current_)
            continue;
        const QRect r = cellRect(i);
        if (!r.intersects(dirty))
            continue;
        p.fillRect(r, colors_[size_t(i)]);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (current_ >= 0 && current_ < int(colors_.size())) {
        // In front of its neighbours, framed so that it stands out on any
        // colour.
        const QRect r = enlargedRect(current_);
        p.fillRect(r, colors_[size_t(current_)]);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Base));
        p.drawRect(r.adjusted(1, 1, -2, -2));
        if (hasFocus()) {
            QStyleOptionFocusRect o;
            o.initFrom(this);
            o.rect = r.adjusted(-2, -2, 2, 2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
        }
    }
}

void PaletteGrid::choose(int cell)
{
    if (cell < 0 || cell == current_)
        return;
    emit cellChosen(cell);
}

void PaletteGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    // The enlarged cell covers parts of its neighbours: a click there is on it.
    if (current_ >= 0 && enlargedRect(current_).contains(event->position().toPoint()))
        return;
    choose(cellAt(event->position().toPoint()));
}

void PaletteGrid::keyPressEvent(QKeyEvent* event)
{
    using palettes::Move;
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
        return QWidget::keyPressEvent(event);
    Move move;
    switch (event->key()) {
    case Qt::Key_Home: move = Move::Home; break;
    case Qt::Key_End: move = Move::End; break;
    case Qt::Key_Left: move = Move::Left; break;
    case Qt::Key_Right: move = Move::Right; break;
    case Qt::Key_Up: move = Move::Up; break;
    case Qt::Key_Down: move = Move::Down; break;
    default: return QWidget::keyPressEvent(event);
    }
    choose(palettes::Moved_Cell(kind_, std::max(current_, 0), move));
    event->accept();
}

bool PaletteGrid::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        int cell = cellAt(help->pos());
        if (current_ >= 0 && enlargedRect(current_).contains(help->pos()))
            cell = current_;
        if (cell >= 0)
            QToolTip::showText(help->globalPos(), palettes::Cell_Text(kind_, cell), this,
                               enlargedRect(cell));
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        if (current_ >= 0)
            update(enlargedRect(current_).adjusted(-3, -3, 3, 3));
    return QWidget::event(event);
}

// ---- ColorPreview -------------------------------------------------------------------

ColorPreview::ColorPreview(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ColorPreview::setPage(const Fill& fill)
{
    page_ = fill;
    update();
}

void ColorPreview::setPageLabels(const std::vector<Label>& labels)
{
    pageLabels_ = labels;
    update();
}

void ColorPreview::setTable(bool shown, const Fill& table, const Fill& cell, int spacing)
{
    tableShown_ = shown;
    table_ = table;
    cell_ = cell;
    spacing_ = std::max(0, spacing);
    update();
}

void ColorPreview::setCellLabels(const std::vector<Label>& labels)
{
    cellLabels_ = labels;
    update();
}

QSize ColorPreview::sizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(line * 12, line * 5);
}

QSize ColorPreview::minimumSizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(line * 8, line * 4 + 8);
}

namespace {

void paintFill(QPainter& p, const QRect& r, const ColorPreview::Fill& f)
{
    if (!f.pattern.isNull())
        p.drawTiledPixmap(r, f.pattern);
    else
        p.fillRect(r, f.color);
}

} // namespace

void ColorPreview::paintLabels(QPainter& p, const QRect& area, const std::vector<Label>& labels) const
{
    if (labels.empty())
        return;
    // One under the other while there is room, else in as many columns as
    // needed.
    const int count = int(labels.size());
    const int line = fontMetrics().height();
    const int rows = std::clamp(area.height() / line, 1, count);
    const int columns = (count + rows - 1) / rows;
    const int step = std::max(line, area.height() / rows);
    const int width = area.width() / columns;
    const int top = area.top() + std::max(0, (area.height() - step * rows) / 2);
    for (int i = 0; i < count; ++i) {
        const Label& l = labels[size_t(i)];
        QFont f = font();
        f.setUnderline(l.underline);
        p.setFont(f);
        p.setPen(l.color);
        p.drawText(QRect(area.left() + (i / rows) * width, top + (i % rows) * step, width, step),
                   Qt::AlignVCenter | Qt::AlignLeft, l.text);
    }
}

void ColorPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect all = rect();
    paintFill(p, all, page_);
    const int margin = std::max(4, fontMetrics().height() / 2);
    QRect labelsArea = all.adjusted(margin, margin / 2, -margin, -margin / 2);
    if (tableShown_) {
        // The table's background shows around the cell by the spacing (as
        // much of it as the preview has room for).
        QRect tableArea = all.adjusted(margin, margin, -margin, -margin);
        if (!pageLabels_.empty()) {
            labelsArea.setRight(all.center().x() - margin);
            tableArea.setLeft(all.center().x());
        }
        const int line = fontMetrics().height();
        const int room = std::max(0, std::min(tableArea.width(), tableArea.height()) / 2 - line);
        const int gap = std::min(spacing_, room) + 1;  // and the table's own border
        const QRect table = tableArea;
        const QRect cell = table.adjusted(gap, gap, -gap, -gap);
        paintFill(p, table, table_);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(table.adjusted(0, 0, -1, -1));
        paintFill(p, cell, cell_);
        p.drawRect(cell.adjusted(-1, -1, 0, 0));
        paintLabels(p, cell.adjusted(margin / 2, 0, 0, 0), cellLabels_);
    }
    paintLabels(p, labelsArea, pageLabels_);
}
