#include "ui/tool_window.h"

#include "core/main_window_port.h"
#include "ui/window_manner.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QHash>
#include <QPointer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTimer>

namespace {

// Key preview: a key press is offered to the window it happens in before the
// focused control sees it. One application-wide filter serves every window;
// a propagated key event (the same event sent on to a parent) is offered once.
class KeyPreview : public QObject {
public:
    static KeyPreview& instance()
    {
        static KeyPreview* p = [] {
            auto* k = new KeyPreview;
            qApp->installEventFilter(k);
            return k;
        }();
        return *p;
    }
    QHash<QWidget*, std::function<bool(int&, int)>> handlers;

protected:
    // Every object of the process passes here, the page engine's own among
    // them; those are built without type information, which the sanitizers'
    // type check cannot tell from a broken object.
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((no_sanitize("vptr")))
#endif
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType())
            return false;
        if (event->type() == QEvent::KeyPress
            && toggleDropDown(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
            && controlsOwnKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event)))
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // Alt with an arrow, Home or End moves windows and splits: no
            // menu or shortcut may take those keys before the window sees them.
            auto* key = static_cast<QKeyEvent*>(event);
            const vb::KeyStroke k = vb::fromEvent(*key);
            if ((k.shift & vb::AltMask) && k.keyCode >= vb::Key_End && k.keyCode <= vb::Key_Down
                && owner(static_cast<QWidget*>(watched)))
                event->accept();
            // The focused window's own access keys come before the main
            // menu's ("&Here" on a tag bar and the "&Help" menu share Alt+H).
            else if (accessKeyTarget(static_cast<QWidget*>(watched), *key))
                event->accept();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        if (pressesFocusedButton(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        // A key the window did not use travels on to the parents and is
        // offered again there; handlers leave unused keys without effect.
        auto* key = static_cast<QKeyEvent*>(event);
        const vb::KeyStroke k = vb::fromEvent(*key);
        if (k.keyCode == 0)
            return false;
        for (QWidget* w = static_cast<QWidget*>(watched); w; w = w->parentWidget()) {
            if (auto* tool = qobject_cast<ToolWindow*>(w)) {
                if (tool->windowKey(k.keyCode, k.shift)) {
                    event->accept();
                    return true;
                }
                if (QWidget* target = accessKeyTarget(static_cast<QWidget*>(watched), *key)) {
                    pressAccessKey(target);
                    event->accept();
                    return true;
                }
                return false;
            }
            const auto it = handlers.constFind(w);
            if (it != handlers.constEnd()) {
                int code = k.keyCode;
                if ((*it)(code, k.shift) || code == 0) {
                    event->accept();
                    return true;
                }
                return false;
            }
        }
        return false;
    }

private:
    // The one shown, enabled control of the tool window holding w whose
    // access key the event is (Alt and a letter or digit), or null.
    static QWidget* accessKeyTarget(QWidget* w, const QKeyEvent& e)
    {
        const Qt::KeyboardModifiers mods = e.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
        if (mods != Qt::AltModifier || !((e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z)
                                          || (e.key() >= Qt::Key_0 && e.key() <= Qt::Key_9)))
            return nullptr;
        ToolWindow* tool = nullptr;
        for (; w && !tool; w = w->parentWidget())
            tool = qobject_cast<ToolWindow*>(w);
        if (!tool)
            return nullptr;
        return Access_Key_Control(tool, QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(e.key()))));
    }

    static void pressAccessKey(QWidget* target) { Press_Access_Key(target); }

    static bool controlsOwnKey(QWidget* w, const QKeyEvent* key) { return Key_Belongs_To_Control(w, *key); }

    // Alt+Down and Alt+Up in a drop-down list, or in its open list, open it
    // or close it (Qt itself closes it with Alt+Down only).
    static bool toggleDropDown(QWidget* w, const QKeyEvent* key)
    {
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier
            || (key->key() != Qt::Key_Down && key->key() != Qt::Key_Up))
            return false;
        for (; w; w = w->parentWidget()) {
            if (auto* box = qobject_cast<QComboBox*>(w)) {
                if (box->view()->isVisible())
                    box->hidePopup();
                else
                    box->showPopup();
                return true;
            }
            if (w->isWindow() && w->windowType() != Qt::Popup)
                return false;
        }
        return false;
    }

    // Enter on a focused button presses that button, in every window: a
    // dialog's default button answers Enter only while no button has the
    // focus, and buttons outside dialogs would take only Space.
    static bool pressesFocusedButton(QWidget* w, const QKeyEvent* key)
    {
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (!qobject_cast<QPushButton*>(w) && !qobject_cast<QToolButton*>(w))
            return false;
        auto* button = static_cast<QAbstractButton*>(w);
        if (!button->isEnabled())
            return false;
        button->click();
        return true;
    }

    bool owner(QWidget* w) const
    {
        for (; w; w = w->parentWidget())
            if (qobject_cast<ToolWindow*>(w) || handlers.contains(w))
                return true;
        return false;
    }
};

} // namespace

ToolWindow::ToolWindow(const QString& caption, QWidget* parent) : QWidget(parent)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    KeyPreview::instance();
}

ToolWindow::~ToolWindow()
{
    // The controls go down after the window's own part is gone, and the one
    // with the focus says so as it goes: nothing they say may reach the window.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
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
    QWidget* box = frame_ ? static_cast<QWidget*>(frame_) : this;
    const QWidget* focus = QApplication::focusWidget();
    const bool hadFocus = focus && box->isVisible() && (focus == box || box->isAncestorOf(focus));
    box->hide();
    // Every route that closes a window passes here, so every one gives the
    // focus back the same way.
    if (hadFocus)
        Return_Focus_After_Close(this);
}

void ToolWindow::joinMainWindow()
{
    if (MainWindowPort* m = mainWindowPort())
        m->addToolWindow(this);
}

void ToolWindow::joinMainWindowAsDialog(bool fitToContents, QSize minimum)
{
    dialog_ = true;
    joinMainWindow();
    if (!frame_)
        return;
    frame_->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
    if (fitToContents)
        frame_->resize(frame_->sizeHint().expandedTo(minimum));
}

QSize ToolWindow::Twips_Around(QSize contentPx, int belowPx) const
{
    const QWidget* w = frame_ ? static_cast<const QWidget*>(frame_) : this;
    const int frame = w->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, w);
    const int title = w->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, w);
    const QSize px(contentPx.width() + 2 * frame + 4, contentPx.height() + belowPx + title + 2 * frame + 10);
    return QSize(Twips_From_Px_X(px.width()), Twips_From_Px_Y(px.height()));
}

void ToolWindow::keyPressEvent(QKeyEvent* event)
{
    // A control that has a use for Esc (an open list, an edit in a list)
    // takes it first; what reaches the window closes the dialog.
    if (dialog_ && event->key() == Qt::Key_Escape
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        closeRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool ToolWindow::frameVisible() const
{
    return frame_ ? frame_->isVisible() : isVisible();
}

bool ToolWindow::windowKey(int keyCode, int shift)
{
    switch (mover_) {
    case Mover::None:
        return false;
    case Mover::InnerArea:
        return Move_Dialog_Keys(keyCode, shift, this);
    case Mover::Screen:
        return Move_Window_Keys(keyCode, shift, window());
    }
    return false;
}


namespace {

QString accessCaption(const QWidget* c)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(c))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(c); l && l->buddy())
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(c))
        return g->title();
    return QString();
}

// The tab pages that stand between a control and its window, outermost
// first; false when the control is hidden for any other reason than a tab
// not shown, or its tab is disabled.
bool reachableThroughTabs(QWidget* c, const QWidget* window, QList<std::pair<QTabWidget*, int>>* tabs)
{
    if (!c->isEnabled())
        return false;
    for (QWidget* w = c; w && w != window; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabWidget = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (const int index = tabWidget ? tabWidget->indexOf(w) : -1; index >= 0) {
            if (!tabWidget->isTabEnabled(index))
                return false;
            if (tabs)
                tabs->prepend({tabWidget, index});
            continue;  // a page not shown is hidden by its tab widget alone
        }
        if (w->isHidden())
            return false;
    }
    return true;
}

} // namespace

QWidget* Access_Key_Control(QWidget* window, const QKeySequence& wanted)
{
    QWidget* shown = nullptr;
    QWidget* onHiddenTab = nullptr;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        const QString caption = accessCaption(c);
        if (caption.isEmpty() || QKeySequence::mnemonic(caption) != wanted)
            continue;
        if (c->isVisible() && c->isEnabled()) {
            if (shown)
                return nullptr;  // two in sight: Qt takes turns between them
            shown = c;
        } else if (!onHiddenTab && reachableThroughTabs(c, window, nullptr)) {
            onHiddenTab = c;
        }
    }
    return shown ? shown : onHiddenTab;
}

void Press_Access_Key(QWidget* target)
{
    // A control on a tab not shown brings its tab forward first, so the user
    // sees what the key did.
    QList<std::pair<QTabWidget*, int>> tabs;
    if (!target->isVisible() && reachableThroughTabs(target, target->window(), &tabs))
        for (const auto& [tabWidget, index] : tabs)
            tabWidget->setCurrentIndex(index);
    if (auto* b = qobject_cast<QAbstractButton*>(target)) {
        if (b->focusPolicy() & Qt::TabFocus)
            b->setFocus(Qt::ShortcutFocusReason);
        b->click();
    } else if (auto* l = qobject_cast<QLabel*>(target)) {
        l->buddy()->setFocus(Qt::ShortcutFocusReason);
    } else {
        for (QWidget* c : target->findChildren<QWidget*>())
            if (c->isVisible() && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus)) {
                c->setFocus(Qt::ShortcutFocusReason);
                break;
            }
    }
}

bool Key_Belongs_To_Control(QWidget* w, const QKeyEvent& key)
{
    if (w->window()->windowType() == Qt::Popup)
        return true;
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::AltModifier || (key.key() != Qt::Key_Down && key.key() != Qt::Key_Up))
        return false;
    for (; w && !w->isWindow(); w = w->parentWidget())
        if (qobject_cast<QComboBox*>(w))
            return true;
    return false;
}

void Install_Key_Preview(QWidget* window, std::function<bool(int& keyCode, int shift)> handler)
{
    KeyPreview& k = KeyPreview::instance();
    k.handlers.insert(window, std::move(handler));
    QObject::connect(window, &QObject::destroyed, &k,
                     [window] { KeyPreview::instance().handlers.remove(window); });
}

ToolFrame::ToolFrame(ToolWindow* content, QWidget* parent) : QMdiSubWindow(parent), content_(content)
{
    setWidget(content);
    setWindowTitle(content->windowTitle());
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    content->setFrame(this);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                if (!content_ || (before & Qt::WindowActive) == (now & Qt::WindowActive))
                    return;
                if (now & Qt::WindowActive)
                    content_->frameActivated();
                else
                    content_->frameDeactivated();
            });
}

void ToolFrame::mousePressEvent(QMouseEvent* event)
{
    // The title bar's buttons act on the part the pointer last moved over:
    // a frame shown, moved or resized under a pointer that has not moved
    // since would let the first click pass. Where the click is counts.
    QMouseEvent moved(QEvent::MouseMove, event->position(), event->scenePosition(), event->globalPosition(),
                      Qt::NoButton, Qt::NoButton, event->modifiers());
    QMdiSubWindow::mouseMoveEvent(&moved);
    QMdiSubWindow::mousePressEvent(event);
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
    if (event->type() == QEvent::WindowStateChange && isMaximized() && !maximizePending_) {
        // Back to a normal frame at once; the window decides its new slot.
        // One maximise gives several state changes: act on it once.
        maximizePending_ = true;
        QTimer::singleShot(0, this, [this] {
            maximizePending_ = false;
            if (!isMaximized())
                return;
            showNormal();
            if (content_)
                content_->maximizeRequested();
        });
    }
}
