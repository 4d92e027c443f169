#include "help/frm_Help.h"

#include "core/main_window_port.h"
#include "core/shared_state.h"
#include "core/window_arrangement.h"
#include "platform/screen.h"
#include "platform/web_browser.h"
#include "ui/tool_window.h"
#include "ui/window_manner.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

TESK_DEFINE_FORM(frm_Help, Help)

frm_Help::frm_Help()
{
    setObjectName(QStringLiteral("frm_Help"));
    setWindowTitle(QStringLiteral("Tesk Web Editor - Help"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    brw_Web_Browser = new WebBrowser(this);
    brw_Web_Browser->setObjectName(QStringLiteral("brw_Web_Browser"));
    cmd_Access = new QPushButton(QStringLiteral("&Access"), this);
    cmd_Access->setObjectName(QStringLiteral("cmd_Access"));
    cmd_Access->setToolTip(QStringLiteral(" Keyboard Focus to the Page "));
    cmd_Access->adjustSize();
    setMinimumSize(160, 120);

    connect(cmd_Access, &QPushButton::clicked, this, [this] { brw_Web_Browser->setFocus(); });
    connect(brw_Web_Browser, &WebBrowser::GotFocus, this, [this] { cmd_Access->hide(); });
    connect(brw_Web_Browser, &WebBrowser::LostFocus, this,
            [this] { cmd_Access->setVisible(state().Show_Access_Button); });
    setHelpWindowMover([this](const QPoint& topLeft) {
        if (isVisible() && windowState() == Qt::WindowNoState)
            move(topLeft + (pos() - geometry().topLeft()));
    });
    qApp->installEventFilter(this);
}

frm_Help::~frm_Help()
{
    qApp->removeEventFilter(this);
    setHelpWindowMover(nullptr);
    // The page loses the focus as the controls go down, after this part of
    // the window is gone: it may not call back into it.
    disconnect(brw_Web_Browser, nullptr, this, nullptr);
}

void frm_Help::Form_Load()
{
    // A window of its own, outside the main window and always on top, so the
    // page stays readable beside whatever the user works in. The main window
    // owns it: it goes when the program goes.
    const Qt::WindowFlags flags = Qt::Window | Qt::WindowStaysOnTopHint;
    if (MainWindowPort* m = mainWindowPort())
        setParent(m->widget(), flags);
    else
        setWindowFlags(flags);
}

void frm_Help::Show_Help()
{
    SharedState& s = state();
    frm_Help* h = forms::Help();
    if (s.Help_Shown < 1) {
        h->Place_Window();
        s.Help_Shown = 1;
        h->brw_Web_Browser->navigate(s.Help_File, WebBrowser::Fresh);
    }
    h->raise();
    h->activateWindow();
    h->brw_Web_Browser->setFocus();
}

void frm_Help::Place_Window()
{
    const SharedState& s = state();
    // Shown normally at the remembered place, whatever state it was left in,
    // and whole on the screen (its default size in pixels is more than a
    // small or magnified screen shows).
    QRect place(s.Help_Left, s.Help_Top, s.Help_Width, s.Help_Height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        place.setSize(place.size().boundedTo(avail.size() - QSize(16, 40)));
        place.moveLeft(std::clamp(place.left(), avail.left(), avail.right() - place.width() - 8));
        place.moveTop(std::clamp(place.top(), avail.top(), avail.bottom() - place.height() - 8));
    }
    setWindowState(Qt::WindowNoState);
    setGeometry(place);
    showNormal();
    setGeometry(place);
    cmd_Access->setVisible(s.Show_Access_Button);
}

void frm_Help::Show_Access(bool show) { cmd_Access->setVisible(show && !brw_Web_Browser->hasFocus()); }

// ---- events ------------------------------------------------------------------

bool frm_Help::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        cmd_Access->setVisible(state().Show_Access_Button);
    return QWidget::event(event);
}

void frm_Help::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Minimising and restoring change the state without any resize on some
    // desktops: the state itself is what counts.
    if (event->type() == QEvent::WindowStateChange && isVisible())
        state().Help_Shown = isMinimized() ? 0 : 1;
}

void frm_Help::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
    Record_Place();
}

void frm_Help::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    Record_Place();
}

void frm_Help::closeEvent(QCloseEvent* event)
{
    // The place kept is the last normal one, also when the window is closed
    // maximised or minimised.
    Record_Place();
    state().Help_Shown = -2;
    event->accept();
}

namespace {

// A dialog of the program: a window of its own shown modally or not (the
// message boxes, the common dialogs, the printer setup), or a dialog inside
// the main window (About, Page Setup, Print Plus ...).
QWidget* dialogOf(QWidget* w)
{
    if (w->isWindow())
        return qobject_cast<QDialog*>(w) ? w : nullptr;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(w))
        if (auto* tool = qobject_cast<ToolWindow*>(frame->widget()); tool && tool->isDialog())
            return frame;
    return nullptr;
}

} // namespace

// Every object of the process passes here, the page engine's own among them;
// those are built without type information, which the sanitizers' type check
// cannot tell from a broken object.
#if defined(__GNUC__) || defined(__clang__)
__attribute__((no_sanitize("vptr")))
#endif
bool frm_Help::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type t = event->type();
    if ((t == QEvent::Show || t == QEvent::Move || t == QEvent::Resize) && watched != this
        && watched->isWidgetType() && isVisible() && windowState() == Qt::WindowNoState)
        if (QWidget* dialog = dialogOf(static_cast<QWidget*>(watched)))
            // Once the dialog stands where it is going: the window system
            // and the dialog's own placement may still move it.
            QTimer::singleShot(0, this, [this, dialog = QPointer<QWidget>(dialog)] {
                if (dialog && dialog->isVisible())
                    Keep_Clear_Of(dialog->isWindow() ? dialog->frameGeometry()
                                                     : QRect(dialog->mapToGlobal(QPoint(0, 0)), dialog->size()));
            });
    return QWidget::eventFilter(watched, event);
}

void frm_Help::Keep_Clear_Of(const QRect& dialog)
{
    if (!isVisible() || windowState() != Qt::WindowNoState)
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect frame = frameGeometry();
    if (const std::optional<QPoint> to = Help_Clear_Of(frame, dialog, screen->availableGeometry()))
        move(*to);  // the frame's place; Record_Place keeps it
}

void frm_Help::Record_Place()
{
    if (!isVisible() || windowState() != Qt::WindowNoState)
        return;
    SharedState& s = state();
    const QRect g = geometry();
    s.Help_Left = g.x();
    s.Help_Top = g.y();
    s.Help_Width = g.width();
    s.Help_Height = g.height();
}

void frm_Help::Form_Resize()
{
    // The page fills the window inside a border; the access button sits in
    // the top-left corner over it.
    const int bx = Px_From_Twips_X(60), by = Px_From_Twips_Y(60);
    const int w = width() - 2 * bx, h = height() - 2 * by;
    brw_Web_Browser->move(bx, by);
    if (w > 0 && h > 0)
        brw_Web_Browser->resize(w, h);
    cmd_Access->move(bx, by);
    cmd_Access->raise();
}
