#pragma once
// Base of the windows that live inside the main window (the four tool
// windows and the dialogs shown in the dialog manner). The main window wraps
// each in a sub-window; the title bar's buttons come back here, because these
// windows never maximise or close on their own: they change their slot code
// and the arrangement does the rest.

#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

#include <functional>

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    explicit ToolWindow(const QString& caption, QWidget* parent = nullptr);
    ~ToolWindow() override;

    // The frame inside the main window (created by the main window).
    QMdiSubWindow* frame() const { return frame_; }
    void setFrame(QMdiSubWindow* frame) { frame_ = frame; }
    // Asks the main window, if there is one, for a frame in its inner area.
    void joinMainWindow();
    // The same for a dialog: a frame that neither maximises nor joins the
    // arrangement, with a close button only; sized to its contents (at least
    // minimum) when fitToContents.
    void joinMainWindowAsDialog(bool fitToContents = true, QSize minimum = QSize());
    bool isDialog() const { return dialog_; }

    // Position and size of the frame within the main window's inner area,
    // in twips.
    QRect geometryTwips() const;
    void moveTwips(int left, int top);
    void setGeometryTwips(const QRect& r);
    void showFrame();
    void hideFrame();
    bool frameVisible() const;

    // The window's own size when it floats (twips).
    virtual QSize designSizeTwips() const { return QSize(6000, 4500); }
    // The least size (twips, frame included) at which every control shows
    // whole, without scrolling; empty when the window fits any size.
    virtual QSize neededSizeTwips() const { return QSize(); }

    // The title bar's maximise button: each window toggles its slot code.
    virtual void maximizeRequested() {}
    // The title bar's close button (and Alt+F4 inside the main window).
    virtual void closeRequested() { hideFrame(); }
    // The frame became the active sub-window of the inner area, or stopped
    // being it.
    virtual void frameActivated() {}
    virtual void frameDeactivated() {}

    // A key pressed anywhere in the window, before its controls see it.
    // Return true when the key was used. The default moves the window with
    // the Alt keys when it has a mover.
    virtual bool windowKey(int keyCode, int shift);

    // How Alt / Shift+Alt keys move the window: not at all, within the main
    // window's inner area (dialogs shown inside it), or on the screen.
    enum class Mover { None, InnerArea, Screen };
    void setMover(Mover m) { mover_ = m; }
    Mover mover() const { return mover_; }

protected:
    // The window's size in twips, frame and title bar included, for content
    // of this size (pixels) with `belowPx` more below it (the hint line).
    QSize Twips_Around(QSize contentPx, int belowPx) const;

    // Esc that no control used closes a dialog as its "&X" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QMdiSubWindow* frame_ = nullptr;
    Mover mover_ = Mover::None;
    bool dialog_ = false;
};

// Gives top-level windows of the program the same key preview: install on a
// window to have its keys offered to handler before its controls see them.
// The same preview makes Enter press the focused button in every window of
// the program (tool windows, dialogs, message boxes).
void Install_Key_Preview(QWidget* window, std::function<bool(int& keyCode, int shift)> handler);

// Keys that belong to the control that gets them, never to its window's
// movers, as everywhere on the desktop: every key in a pop-up (an open
// drop-down list, a menu), and Alt+Down and Alt+Up in a drop-down list,
// which open and close it.
bool Key_Belongs_To_Control(QWidget* control, const QKeyEvent& key);

// The control of window whose access key is wanted (Alt and a letter or
// digit): the one shown, else one on a tab page not shown; null when none,
// or when two are shown (Qt then takes turns between them).
QWidget* Access_Key_Control(QWidget* window, const QKeySequence& wanted);
// Does what the control's access key does: a button is pressed, a label
// focuses its partner, a frame its first control; a control on a tab page
// not shown first brings its tab forward.
void Press_Access_Key(QWidget* control);

// The sub-window that holds a ToolWindow.
class ToolFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ToolFrame(ToolWindow* content, QWidget* parent = nullptr);
    ToolWindow* content() const { return content_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPointer<ToolWindow> content_;
    bool maximizePending_ = false;
};
