#pragma once
// What the source editor's window tests share: the program started in a
// throw-away site with the editor showing, sources made by the program's own
// editor control, and scripted answers for the name dialogs.

#include "test_support.h"

#include "ui/forms.h"
#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "app/startup.h"
#include "platform/palette.h"
#include "platform/rich_text_box.h"
#include "source/frm_Ref_Open.h"
#include "source/frm_Source.h"
#include "source/frm_Source_Open.h"
#include "source/frm_Source_Save_As.h"

#include <QApplication>
#include <QLabel>
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
    return box.LoadFile(path) ? box.content() : rtf::Content{};
}

inline QStringList entries(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

inline QString selected(const QListWidget* list)
{
    const auto items = list->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

// Answers whichever name dialog shows: Save As gets entry typed, an open
// dialog gets it chosen from its list ("" cancels either). listed receives
// the list; shown the name Save As offered, or the entry an open dialog
// preselected.
inline std::function<int(QDialog&)> answer(const QString& entry, QStringList* listed = nullptr,
                                           QString* shown = nullptr)
{
    return [=](QDialog& d) {
        auto* list = d.findChild<QListWidget*>();
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("txt_Save_As"));
        if (listed)
            *listed = entries(list);
        if (shown)
            *shown = name ? name->text() : selected(list);
        QString button = QStringLiteral("cmd_Cancel");
        if (!entry.isEmpty() && name) {
            name->setText(entry);
            button = QStringLiteral("cmd_Save_As");
        } else if (!entry.isEmpty()) {
            list->setCurrentItem(list->findItems(entry, Qt::MatchExactly).value(0));
            button = QStringLiteral("cmd_Open");
        }
        d.findChild<QPushButton*>(button)->click();
        return d.result();
    };
}

} // namespace tesk::test
