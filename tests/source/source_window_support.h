#pragma once
// What the source editor's window tests share: the program started in a
// throw-away site with the editor showing, sources made by the program's own
// editor control, and scripted answers for the name dialogs.

#include "test_support.h"

#include "core/forms.h"
#include "core/frm_Start.h"
#include "core/shared_state.h"
#include "core/startup.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "source/frm_Ref_Open.h"
#include "source/frm_Source.h"
#include "source/frm_Source_Open.h"
#include "source/frm_Source_Save_As.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace tesk::test {

// The program started in site's program folder, working on site's working
// folder, with the editor window placed, shown and active.
inline frm_Source* startEditor(const TempSite& site)
{
    Main(site.programFolder());
    site.apply();
    frm_Source* w = forms::Source();
    w->Working_Folder_Files();
    forms::Start()->activateWindow();
    (void)QTest::qWaitForWindowActive(forms::Start());
    QApplication::processEvents();
    return w;
}

inline QString workingPages(const TempSite& site) { return site.workingFolder() + QStringLiteral("Working-Pages/"); }
inline QString finalPages(const TempSite& site) { return site.workingFolder() + QStringLiteral("Final-Pages/"); }

// A source file written by the editor control: text in black, the first
// line blue and indented by 720 twips.
inline bool writeSource(const QString& path, const QString& text)
{
    RichTextBox box;
    box.setText(text);
    box.setSelStart(0);
    box.setSelLength(int(text.indexOf(QLatin1Char('\r'))));
    box.setSelColor(Palette_Color(9));
    box.setSelIndent(720);
    return box.SaveFile(path, 0);
}

// What a source file holds, read back by the editor control.
inline rtf::Content readSource(const QString& path)
{
    RichTextBox box;
    if (!box.LoadFile(path))
        return {};
    return box.content();
}

// Answers the Open Source File dialog by choosing entry ("" cancels).
inline std::function<int(QDialog&)> chooseSource(const QString& entry, QStringList* listed = nullptr)
{
    return [entry, listed](QDialog& d) {
        auto& dlg = dynamic_cast<frm_Source_Open&>(d);
        if (listed)
            for (int i = 0; i < dlg.lst_Html_Pages->count(); ++i)
                *listed << dlg.lst_Html_Pages->item(i)->text();
        if (entry.isEmpty()) {
            dlg.cmd_Cancel->click();
            return dlg.result();
        }
        const auto found = dlg.lst_Html_Pages->findItems(entry, Qt::MatchExactly);
        if (!found.isEmpty())
            dlg.lst_Html_Pages->setCurrentItem(found.first());
        dlg.cmd_Open->click();
        return dlg.result();
    };
}

// Answers the Save Source File dialog by typing name ("" cancels).
inline std::function<int(QDialog&)> nameSource(const QString& name, QString* proposed = nullptr)
{
    return [name, proposed](QDialog& d) {
        auto& dlg = dynamic_cast<frm_Source_Save_As&>(d);
        if (proposed)
            *proposed = dlg.txt_Save_As->text();
        if (name.isEmpty()) {
            dlg.cmd_Cancel->click();
            return dlg.result();
        }
        dlg.txt_Save_As->setText(name);
        dlg.cmd_Save_As->click();
        return dlg.result();
    };
}

} // namespace tesk::test
