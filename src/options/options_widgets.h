#pragma once

// Pieces of the Options dialog shared by its building and its behaviour.

#include "options/options_rules.h"
#include "platform/screen.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QPainter>
#include <QRect>
#include <QValidator>
#include <QWidget>

#include <algorithm>

namespace options_widgets {

// Box sizes in twips: colour boxes 4 x 4, location boxes 2 x 2, both groups
// the same height. The selected box grows by 75 twips on every side, so each
// group keeps that margin around its boxes.
constexpr int kColorPitch = 480;
constexpr int kColorSize = 330;
constexpr int kLocationPitch = 960;
constexpr int kLocationSize = 810;
constexpr int kGrow = 75;

inline QRect pixels(const QRect& twips)
{
    return QRect(Px_From_Twips_X(twips.x()), Px_From_Twips_Y(twips.y()), Px_From_Twips_X(twips.width()),
                 Px_From_Twips_Y(twips.height()));
}

// A colour box: its palette's Window colour with a frame; the box with the
// keyboard focus says so with a highlighted border.
class ColorBox : public QWidget {
public:
    explicit ColorBox(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::ClickFocus); }

    void setColor(const QColor& c)
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, c);
        setPalette(p);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.fillRect(r, palette().color(QPalette::Window));
        p.setPen(palette().color(QPalette::Shadow));
        p.drawRect(r);
        if (hasFocus()) {
            p.setPen(QPen(palette().color(QPalette::Highlight), 2));
            p.drawRect(rect().adjusted(2, 2, -2, -2));
            p.setPen(QPen(Qt::white, 1, Qt::DotLine));
            p.drawRect(rect().adjusted(4, 4, -5, -5));
        }
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QWidget::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QWidget::focusOutEvent(e);
        update();
    }
};

// The settings file cannot hold a double quote or a line break inside a
// string: a quote is refused as it is typed or pasted, line breaks are
// dropped.
class StorableValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        if (input.contains(QLatin1Char('"')))
            return Invalid;
        const QString clean = options::Storable_Text(input);
        if (clean != input) {
            pos = std::min<int>(pos, int(clean.size()));
            input = clean;
        }
        return Acceptable;
    }
};

inline QGroupBox* groupBox(const char* caption, QWidget* parent)
{
    return new QGroupBox(QString::fromUtf8(caption), parent);
}

} // namespace options_widgets
