#pragma once
// What the source editor's window tests share: the program started in a
// throw-away site with the editor showing, sources made by the program's own
// editor control, scripted answers for the name dialogs, and the steps a
// user takes written as text, with the window's state compared as facts.

#include "test_support.h"

#include "ui/forms.h"
#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "app/startup.h"
#include "platform/palette.h"
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

// A source file written by the editor control: the first line blue and
// indented by 720 twips, the rest black.
inline bool writeSource(const QString& path, const QString& text)
{
    RichTextBox box;
    box.setText(text);
    box.setSelStart(0);
    const int end = int(text.indexOf(QLatin1Char('\r')));
    box.setSelLength(end < 0 ? int(text.size()) : end);
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
    return list->selectedItems().isEmpty() ? QString() : list->selectedItems().first()->text();
}

// A window's state as facts, name and value, in a fixed order.
using Facts = QList<std::pair<QString, QString>>;

// The facts that differ, "name=value" joined by blanks ("(none)" for a fact
// gone); a fact that `expected` gives as "name=*" shows as such, whatever its
// value.
inline QString changes(const Facts& before, const Facts& after, const QString& expected)
{
    QStringList out;
    for (const auto& fact : after)
        if (!before.contains(fact))
            out << fact.first + '=' + (expected.contains(fact.first + "=*") ? QStringLiteral("*") : fact.second);
    for (const auto& [name, value] : before)
        if (std::none_of(after.begin(), after.end(), [&](const auto& f) { return f.first == name; }))
            out << name + "=(none)";
    return out.join(' ');
}

// The program started in a throw-away site, working on its working folder,
// with the editor window placed, shown and active.
struct SourceWindow {
    TempSite site;
    ScriptedDialogs dialogs;
    frm_Source* w = nullptr;
    RichTextBox* box = nullptr;
    QStringList offered;  // what each name or file dialog offered, in order

    SourceWindow()
    {
        Main(site.programFolder());
        site.apply();
        w = forms::Source();
        box = w->rtf_Source;
        w->Working_Folder_Files();
        forms::Start()->activateWindow();
        (void)QTest::qWaitForWindowActive(forms::Start());
    }
    ~SourceWindow() { resetProgram(); }

    QString wp(const QString& name = {}) const { return site.workingFolder() + "Working-Pages/" + name; }
    QByteArray page(const QString& name) const { return readFile(site.workingFolder() + "Final-Pages/" + name); }
    // Paths written from "~/", the throw-away root; "WP/" and "FP/" for the
    // site's page folders, "P/" for the program folder.
    static constexpr std::pair<const char*, const char*> parts[] = {
        {"WP/", "site/Working-Pages/"}, {"FP/", "site/Final-Pages/"}, {"P/", "program/"}, {"~/", ""}};
    QString expand(QString path) const
    {
        for (const auto& [part, full] : parts)
            if (path.startsWith(QLatin1String(part)))
                return site.path(path.replace(0, int(strlen(part)), QLatin1String(full)));
        return path;
    }
    QString shorten(QString text) const
    {
        for (const auto& [part, full] : parts)
            text.replace(site.path(QLatin1String(full)), QLatin1String(part));
        return text.replace("\r\n", "\u00b6");
    }

    // Writes a source (by the editor control, coloured or all black without
    // indents) and opens it from the Open Plus list.
    void open(const QString& name, const QString& text, bool plain = false)
    {
        const QString path = wp(name + ".rtf");
        RichTextBox black;
        black.setText(text);
        QVERIFY(plain ? black.SaveFile(path, 0) : writeSource(path, text));
        choose(name);
        w->Open_Plus_File();
        QCOMPARE(box->Text(), text);
        offered.clear();
    }
    // The next name dialog gets entry typed (Save As) or chosen from its
    // list; "" cancels it. What it offered goes to `offered`.
    void choose(const QString& entry)
    {
        dialogs.onModal([this, entry](QDialog& d) {
            auto* list = d.findChild<QListWidget*>();
            auto* name = d.findChild<QLineEdit*>(QStringLiteral("txt_Save_As"));
            offered << QStringLiteral("%1 '%2' [%3]")
                           .arg(d.objectName().mid(4), name ? name->text() : selected(list), entries(list).join(','));
            if (name && !entry.isEmpty())
                name->setText(entry);
            else if (!entry.isEmpty())
                list->setCurrentItem(list->findItems(entry, Qt::MatchExactly).value(0));
            d.findChild<QPushButton*>(entry.isEmpty() ? "cmd_Cancel" : name ? "cmd_Save_As" : "cmd_Open")->click();
            return d.result();
        });
    }

    // One step of what the user does, the steps of a row joined by "; ":
    //   "S+L" selects, "type x" types into the editor,
    //   "choose x" / "cancel" answer the next name dialog, "pick path" (or
    //   "pick") the next file dialog, "answer Yes|No|Cancel|Ok" the next message,
    //   "write path=text" writes a source (".rtf", "New Page") or a plain
    //   file, "open name=text" writes a source and opens it, "readonly
    //   path", "full disk part" (writes to paths holding it fail), "clear
    //   panel" empties the path panel,
    //   "cmd_X" (or "cmd_X right") clicks a control, "right click" (or
    //   "Ctrl+right click") the editor, "mnu_X" runs a menu command,
    //   "<keys> on <control>" presses keys there, anything else presses keys
    //   in the editor.
    void act(const QString& step)
    {
        const QString arg = step.section(' ', 1);
        if (step[0].isDigit()) {
            box->setSelStart(step.section('+', 0, 0).toInt());
            box->setSelLength(step.section('+', 1).toInt());
        } else if (step.startsWith("type ")) {
            QTest::keyClicks(box, arg);
        } else if (step.startsWith("choose ") || step == "cancel") {
            choose(step == "cancel" ? QString() : arg);
        } else if (step.startsWith("pick")) {
            dialogs.onFile([this, path = expand(arg)](const dialogs::FileRequest& r) {
                offered << "file in " + shorten(r.folder);
                return dialogs::FileResult{path, {}};
            });
        } else if (step.startsWith("answer ")) {
            dialogs.answerNextMessage(arg == "Yes"      ? dialogs::Answer::Yes
                                      : arg == "No"     ? dialogs::Answer::No
                                      : arg == "Cancel" ? dialogs::Answer::Cancel
                                                        : dialogs::Answer::Ok);
        } else if (step.startsWith("write ")) {
            const QString path = expand(arg.section('=', 0, 0)), text = arg.section('=', 1);
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QVERIFY(path.endsWith(".rtf") || path.endsWith("New Page") ? writeSource(path, text)
                                                                       : writeFile(path, text.toUtf8()));
        } else if (step.startsWith("open ")) {
            open(arg.section('=', 0, 0), arg.section('=', 1));
        } else if (step == "clear panel") {
            state().Status_Path_Panel.clear();
        } else if (step.startsWith("readonly ")) {
            setReadOnly(expand(arg), true);
        } else if (step.startsWith("full disk ")) {
            fullDisk(step.section(' ', 2));
        } else if (step.endsWith("right click")) {
            QTest::mouseClick(box->viewport(), Qt::RightButton,
                              step.startsWith("Ctrl") ? Qt::ControlModifier : Qt::NoModifier,
                              box->viewport()->rect().center());
        } else if (step.startsWith("cmd_") || step.startsWith("pic_")) {
            QTest::mouseClick(w->findChild<QWidget*>(step.section(' ', 0, 0)),
                              step.endsWith(" right") ? Qt::RightButton : Qt::LeftButton);
        } else if (step.startsWith("mnu_")) {
            forms::Start()->findChild<QAction*>(step)->trigger();
        } else {
            const QKeyCombination k = QKeySequence(step.section(" on ", 0, 0))[0];
            const QString to = step.section(" on ", 1);
            QTest::keyClick(to.isEmpty() ? box : to == w->objectName() ? w : w->findChild<QWidget*>(to), k.key(),
                            k.keyboardModifiers());
        }
    }
    void run(const QString& steps)
    {
        for (const QString& step : steps.split("; ", Qt::SkipEmptyParts))
            act(step);
    }
};

} // namespace tesk::test
