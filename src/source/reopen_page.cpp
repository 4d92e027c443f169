// Back where the user left: the document of the last run opened again as
// an open from the menus would open it, then the caret and the view put
// back.

#include "source/frm_Source.h"

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "platform/rich_text_box.h"
#include "platform/text_positions.h"

#include <QPointer>
#include <QTextCursor>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

bool frm_Source::Open_Again(const QString& sourcePath, int caret, int firstShown)
{
    SharedState& s = state();
    const Document before = Current_Document();
    s.Source_Path = sourcePath;
    s.Source_Title = fs::fileName(sourcePath);
    Open_Finish(before);
    if (!editorUsable() || s.Source_Path.isEmpty())
        return false;
    const int length = rtf_Source->TextLength();
    rtf_Source->setSelStart(std::clamp(caret, 0, length));
    rtf_Source->syncCursor();
    // The lines are laid out only once the window is on the screen: the
    // view is put back after that.
    QPointer<RichTextBox> box = rtf_Source;
    const int top = std::clamp(firstShown, 0, length);
    QTimer::singleShot(0, this, [box, top] {
        if (!box)
            return;
        textpos::Locator where;
        QTextCursor c(box->document());
        c.setPosition(where.toDocument(*box->document(), top));
        QScrollBar* bar = box->verticalScrollBar();
        bar->setValue(bar->value() + box->cursorRect(c).top());
    });
    return true;
}

std::pair<int, int> frm_Source::Caret_And_View() const
{
    return {rtf_Source->SelStart(), rtf_Source->visibleText().first};
}
