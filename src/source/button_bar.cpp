#include "source/button_bar.h"

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "platform/rich_text_box.h"

#include <QAction>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QToolTip>

ButtonBar::ButtonBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("tb_Left"));
    setOrientation(Qt::Vertical);
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (int k = 0; k < tag_insertion::Button_Count; ++k) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("cmd_Button_%1").arg(k));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        // Reached by Alt+Home and Tab, but a click leaves the focus where the
        // insertion puts it: in the editor.
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this, [this, k] { Button_Selected(k); });
        cmd_Button[k] = b;
        actions_[k] = addWidget(b);
    }
    setButtons(tag_insertion::Built_In_Buttons());
}

void ButtonBar::setEditor(RichTextBox* editor) { editor_ = editor; }

tag_insertion::Button ButtonBar::button(int k) const
{
    if (k < 0 || k >= tag_insertion::Button_Count)
        return {};
    return {cmd_Button[k]->text(), cmd_Button[k]->toolTip()};
}

void ButtonBar::setButtons(const tag_insertion::Button_Set& set)
{
    for (int k = 0; k < tag_insertion::Button_Count; ++k) {
        cmd_Button[k]->setText(set[k].caption);
        cmd_Button[k]->setToolTip(set[k].text);
        actions_[k]->setVisible(!set[k].caption.isEmpty());
    }
}

bool ButtonBar::buttonShown(int k) const
{
    return k >= 0 && k < tag_insertion::Button_Count && actions_[k]->isVisible();
}

void ButtonBar::Retrieve_Buttons()
{
    tag_insertion::Button_Set set = tag_insertion::Built_In_Buttons();
    const QString path = state().Reference_Folder.isEmpty()
        ? QString()
        : fs::withSeparator(state().Reference_Folder) + QStringLiteral("Button.but");
    QStringList lines;
    if (fs::fileExists(path) && fs::readLines(path, lines) == fs::Result::Ok)
        tag_insertion::Apply_Button_File(set, lines);
    setButtons(set);
}

void ButtonBar::Button_Selected(int k)
{
    if (k < 0 || k >= tag_insertion::Button_Count || !editor_)
        return;
    editor_->setSelText(tag_insertion::Expand_Escapes(cmd_Button[k]->toolTip()));
    editor_->setFocus(Qt::OtherFocusReason);
}

bool ButtonBar::Focus_First_Button()
{
    if (!buttonShown(0) || !isVisible() || !isEnabled())
        return false;
    cmd_Button[0]->setFocus(Qt::ShortcutFocusReason);
    return true;
}

bool ButtonBar::eventFilter(QObject* watched, QEvent* event)
{
    auto* b = qobject_cast<QToolButton*>(watched);
    if (!b)
        return QToolBar::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Tab && !(k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
            if (editor_)
                editor_->setFocus(Qt::TabFocusReason);
            return true;
        }
    } else if (event->type() == QEvent::ToolTip) {
        // Shown as plain text, blanks kept: the user sees the tags themselves.
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = b->toolTip();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped()
                                   + QStringLiteral("</p>"),
                               b);
        return true;
    }
    return QToolBar::eventFilter(watched, event);
}
