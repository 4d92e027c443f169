#include "core/tool_window.h"

#include "core/screen.h"
#include "platform/vb_keys.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

ToolWindow::ToolWindow(const QString& caption, QWidget* parent) : QWidget(parent)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

QRect ToolWindow::geometryTwips() const
{
    const QWidget* w = frame_ ? static_cast<const QWidget*>(frame_) : this;
    const QRect g = w->geometry();
    return QRect(Twips_From_Px_X(g.x()), Twips_From_Px_Y(g.y()), Twips_From_Px_X(g.width()),
                 Twips_From_Px_Y(g.height()));
}

void ToolWindow::moveTwips(int left, int top)
{
    QWidget* w = frame_ ? static_cast<QWidget*>(frame_) : this;
    w->move(Px_From_Twips_X(left), Px_From_Twips_Y(top));
}

void ToolWindow::setGeometryTwips(const QRect& r)
{
    QWidget* w = frame_ ? static_cast<QWidget*>(frame_) : this;
    w->setGeometry(Px_From_Twips_X(r.x()), Px_From_Twips_Y(r.y()), Px_From_Twips_X(r.width()),
                   Px_From_Twips_Y(r.height()));
}

void ToolWindow::showFrame()
{
    if (frame_) {
        frame_->show();
        show();
    } else {
        show();
    }
}

void ToolWindow::hideFrame()
{
    if (frame_)
        frame_->hide();
    else
        hide();
}

bool ToolWindow::frameVisible() const
{
    return frame_ ? frame_->isVisible() : isVisible();
}

void ToolWindow::installKeyFilter(QWidget* w)
{
    w->installEventFilter(this);
}

bool ToolWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const vb::KeyStroke k = vb::fromEvent(*key);
        if (k.keyCode != 0 && windowKey(k.keyCode, k.shift))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

ToolFrame::ToolFrame(ToolWindow* content, QWidget* parent) : QMdiSubWindow(parent), content_(content)
{
    setWidget(content);
    setWindowTitle(content->windowTitle());
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    content->setFrame(this);
}

void ToolFrame::closeEvent(QCloseEvent* event)
{
    // Closing is the window's own procedure (it may ask to save first and
    // changes its slot code); the frame never closes itself.
    event->ignore();
    if (content_)
        content_->closeRequested();
}

void ToolFrame::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMaximized()) {
        // Back to a normal frame at once; the window decides its new slot.
        QTimer::singleShot(0, this, [this] {
            showNormal();
            if (content_)
                content_->maximizeRequested();
        });
    }
}
