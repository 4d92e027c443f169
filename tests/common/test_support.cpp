#include "test_support.h"

#include "ui/forms.h"
#include "core/shared_state.h"

#include <QDialog>
#include <QFile>
#include <QFileDevice>
#include <QTest>

namespace tesk::test {

namespace {

dialogs::Answer defaultAnswer(dialogs::Buttons b)
{
    switch (b) {
    case dialogs::Buttons::Ok: return dialogs::Answer::Ok;
    case dialogs::Buttons::YesNo: return dialogs::Answer::No;
    default: return dialogs::Answer::Cancel;
    }
}

void fail(const QString& what)
{
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
}

} // namespace

void installStrictDialogs()
{
    dialogs::Handlers h;
    h.message = [](const dialogs::Message& m) {
        fail(QStringLiteral("Unexpected message box \"%1\" (title \"%2\")").arg(m.text, m.title));
        return defaultAnswer(m.buttons);
    };
    h.file = [](const dialogs::FileRequest& r) {
        fail(QStringLiteral("Unexpected file dialog \"%1\"").arg(r.title));
        return dialogs::FileResult{};
    };
    h.color = [](const QColor&) -> std::optional<QColor> {
        fail(QStringLiteral("Unexpected colour dialog"));
        return std::nullopt;
    };
    h.printer = [](QPrinter&) {
        fail(QStringLiteral("Unexpected printer dialog"));
        return false;
    };
    h.modal = [](QDialog& d) {
        fail(QStringLiteral("Unexpected modal window \"%1\"").arg(d.windowTitle()));
        return int(QDialog::Rejected);
    };
    dialogs::setHandlers(h);
}

void resetProgram()
{
    forms::Unload_All();
    resetState();
}

ScriptedDialogs::ScriptedDialogs()
{
    dialogs::Handlers h = dialogs::handlers();
    previous_ = h;
    h.message = [this](const dialogs::Message& m) {
        messages_ << m;
        if (expected_.empty()) {
            fail(QStringLiteral("Unexpected message box \"%1\" (title \"%2\")").arg(m.text, m.title));
            return defaultAnswer(m.buttons);
        }
        const Expected e = expected_.front();
        expected_.pop_front();
        if (!e.text.isNull() && e.text != m.text)
            fail(QStringLiteral("Message box \"%1\" where \"%2\" was expected").arg(m.text, e.text));
        return e.answer;
    };
    h.file = [this](const dialogs::FileRequest& r) {
        fileRequests_ << r;
        if (files_.empty()) {
            fail(QStringLiteral("Unexpected file dialog \"%1\"").arg(r.title));
            return dialogs::FileResult{};
        }
        auto fn = files_.front();
        files_.pop_front();
        return fn(r);
    };
    h.modal = [this](QDialog& d) {
        if (modals_.empty()) {
            fail(QStringLiteral("Unexpected modal window \"%1\"").arg(d.windowTitle()));
            return int(QDialog::Rejected);
        }
        auto fn = modals_.front();
        modals_.pop_front();
        return fn(d);
    };
    h.color = [this](const QColor& c) -> std::optional<QColor> {
        if (colors_.empty()) {
            fail(QStringLiteral("Unexpected colour dialog"));
            return std::nullopt;
        }
        auto fn = colors_.front();
        colors_.pop_front();
        return fn(c);
    };
    dialogs::setHandlers(h);
}

ScriptedDialogs::~ScriptedDialogs() { dialogs::setHandlers(previous_); }

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& text, dialogs::Answer a)
{
    expected_.push_back({text.isNull() ? QStringLiteral("") : text, a});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerNextMessage(dialogs::Answer a)
{
    expected_.push_back({QString(), a});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::onFile(std::function<dialogs::FileResult(const dialogs::FileRequest&)> fn)
{
    files_.push_back(std::move(fn));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::onModal(std::function<int(QDialog&)> fn)
{
    modals_.push_back(std::move(fn));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::onColor(std::function<std::optional<QColor>(const QColor&)> fn)
{
    colors_.push_back(std::move(fn));
    return *this;
}

bool ScriptedDialogs::allUsed() const
{
    return expected_.empty() && files_.empty() && modals_.empty() && colors_.empty();
}

} // namespace tesk::test
