#include "print/dialog_parts.h"

#include "core/main_window_port.h"
#include "core/shared_state.h"
#include "core/site_layout.h"
#include "platform/screen.h"
#include "ui/tool_window.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

namespace {

class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* k = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && k->modifiers() == Qt::NoModifier
            && button->isEnabled()) {
            button->click();
            return true;
        }
        return false;
    }
};

} // namespace

HintLine::HintLine(QLabel* label, QObject* parent) : QObject(parent), label_(label) {}

void HintLine::add(QWidget* w, const QString& hint)
{
    hints_.insert(w, hint);
    w->installEventFilter(this);
}

void HintLine::selectAllOnFocus(QLineEdit* box)
{
    box->installEventFilter(this);
    box->setProperty("teskSelectAll", true);
}

void HintLine::show(const QString& text)
{
    // After the focus has moved on: the next control's hint would hide it.
    QTimer::singleShot(0, label_, [label = label_, text] { label->setText(text); });
}

bool HintLine::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (const auto it = hints_.constFind(watched); it != hints_.constEnd())
            label_->setText(*it);
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && box->property("teskSelectAll").toBool())
            // After the click that brought the focus has placed the caret.
            QTimer::singleShot(0, box, [box] {
                if (box->hasFocus())
                    box->selectAll();
            });
    }
    return QObject::eventFilter(watched, event);
}

void Place_As_Working_Dialog(ToolWindow* dialog)
{
    SharedState& s = state();
    QPoint mainWindow(0, 0);
    if (const MainWindowPort* m = mainWindowPort())
        mainWindow = QPoint(Twips_From_Px_X(m->frameGeometryPx().x()), Twips_From_Px_Y(m->frameGeometryPx().y()));
    const QPoint help(Twips_From_Px_X(s.Help_Left), Twips_From_Px_Y(s.Help_Top));
    const site::DialogPlacement p = site::Place_Working_Dialog(
        QSize(s.Client_Width, s.Client_Height), dialog->geometryTwips().size(), s.Help_Shown, mainWindow, help);
    if (p.moveHelp) {
        s.Help_Left = Px_From_Twips_X(p.help.x());
        s.Help_Top = Px_From_Twips_Y(p.help.y());
    }
    if (p.moveDialog)
        dialog->moveTwips(p.dialog.x(), p.dialog.y());
}

void Enter_Presses_Buttons(QWidget* window)
{
    auto* filter = new EnterPresses(window);
    for (QPushButton* b : window->findChildren<QPushButton*>())
        b->installEventFilter(filter);
}

void Fit_Frame(ToolWindow* dialog)
{
    dialog->ensurePolished();
    if (QLayout* l = dialog->layout())
        l->activate();
    if (QMdiSubWindow* f = dialog->frame()) {
        f->setMinimumSize(f->minimumSizeHint());
        f->resize(f->sizeHint().expandedTo(f->minimumSizeHint()));
    }
}
