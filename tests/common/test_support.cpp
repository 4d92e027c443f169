#include "test_support.h"

#include "ui/forms.h"
#include "core/shared_state.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileDevice>
#include <QRegularExpression>
#include <QTest>

namespace tesk::test {

namespace {

void fail(const QString& what)
{
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
}

// The next scripted answer of a queue; none left fails the test and gives
// the answer of a closed dialog.
template <class Fn, class Arg>
auto take(std::deque<Fn>& queue, const QString& what, Arg& arg)
{
    using Result = decltype(queue.front()(arg));
    if (queue.empty()) {
        fail(QStringLiteral("Unexpected ") + what);
        return Result{};
    }
    const Fn fn = std::move(queue.front());
    queue.pop_front();
    return fn(arg);
}

} // namespace

void installStrictDialogs()
{
    new ScriptedDialogs;  // kept for the run: a dialog nobody scripts fails the test
}

std::pair<int, int> undraw(QString& s)
{
    const int start = int(s.indexOf(QRegularExpression(QStringLiteral("[|\\[]"))));
    const int end = s[start] == u'|' ? start : int(s.indexOf(u']')) - 1;
    s.remove(QRegularExpression(QStringLiteral("[|\\[\\]]")));
    return {start, end - start};
}

void setDrawn(RichTextBox& box, QString s)
{
    const auto [start, length] = undraw(s);
    box.setText(s);
    box.setSelStart(start);
    box.setSelLength(length);
}

QString drawn(const RichTextBox& box)
{
    const int start = box.SelStart(), length = box.SelLength();
    QString s = box.Text();
    return length ? s.insert(start + length, u']').insert(start, u'[') : s.insert(start, u'|');
}

QStringList items(const QComboBox* box, int from)
{
    QStringList out;
    for (int i = from; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void resetProgram()
{
    forms::Unload_All();
    resetState();
    // The editor's own behaviour is tested with the colours left to the
    // user; the tests of colouring while typing switch it on.
    state().More.Color_While_Typing = false;
    state().More.Line_Numbers = false;
    state().More.Reopen_Last_Page = false;
    state().More.Match_Tags = false;
    state().More.Spell_While_Typing = false;
    state().More.Close_Tags = false;
    state().More.Complete_Names = false;
    fullDisk(QString());
}

ScriptedDialogs::ScriptedDialogs()
{
    dialogs::Handlers h = dialogs::handlers();
    previous_ = h;
    h.message = [this](const dialogs::Message& m) {
        messages_ << m;
        const QString shown = QStringLiteral("message box \"%1\" (title \"%2\")").arg(m.text, m.title);
        if (expected_.empty()) {
            fail(QStringLiteral("Unexpected ") + shown);
            return m.buttons == dialogs::Buttons::YesNo ? dialogs::Answer::No : dialogs::Answer::Cancel;
        }
        const Expected e = expected_.front();
        expected_.pop_front();
        if (!e.text.isNull() && e.text != m.text)
            fail(shown + QStringLiteral(" where \"%1\" was expected").arg(e.text));
        return e.answer;
    };
    h.file = [this](const dialogs::FileRequest& r) {
        fileRequests_ << r;
        return take(files_, QStringLiteral("file dialog \"%1\"").arg(r.title), r);
    };
    h.modal = [this](QDialog& d) { return take(modals_, QStringLiteral("modal window \"%1\"").arg(d.windowTitle()), d); };
    h.color = [this](const QColor& c) { return take(colors_, QStringLiteral("colour dialog"), c); };
    h.progress = [this](const dialogs::ProgressRequest& r) -> std::unique_ptr<dialogs::Progress> {
        progressRequests_ << r;
        if (!progresses_.empty())
            return take(progresses_, QStringLiteral("progress"), r);
        struct ToTheEnd : dialogs::Progress {
            bool step(qint64) override { return true; }
        };
        return std::make_unique<ToTheEnd>();
    };
    h.printer = [](QPrinter&) {
        fail(QStringLiteral("Unexpected printer dialog"));
        return false;
    };
    dialogs::setHandlers(h);
}

ScriptedDialogs::~ScriptedDialogs() { dialogs::setHandlers(previous_); }

QByteArray openSiteSession(std::unique_ptr<TempSite>& site, std::unique_ptr<ScriptedDialogs>& script)
{
    resetProgram();
    site = std::make_unique<TempSite>();
    script = std::make_unique<ScriptedDialogs>();
    site->apply();
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    QDir().mkpath(site->path("data"));
    qputenv("XDG_DATA_HOME", site->path("data").toUtf8());
    return dataHome;
}

void closeSiteSession(std::unique_ptr<TempSite>& site, std::unique_ptr<ScriptedDialogs>& script,
                      const QByteArray& dataHome)
{
    script.reset();
    resetProgram();
    qputenv("XDG_DATA_HOME", dataHome);
    site.reset();
}

} // namespace tesk::test
