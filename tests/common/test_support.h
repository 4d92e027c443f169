#pragma once
// What tests share: scripted answers for every dialog, a throw-away program
// folder, and a clean program between tests.

#include "logic_support.h"
#include "platform/dialogs.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>

namespace tesk::test {

// Dialogs that no test expected fail the running test (instead of blocking).
void installStrictDialogs();

// Unloads every window and resets the shared state.
void resetProgram();

// Answers the dialogs a test expects, in order, and records every message.
// Whatever is not scripted fails the test, as in the strict default.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();

    // The next message box must show exactly this text; it answers with a.
    ScriptedDialogs& expectMessage(const QString& text, dialogs::Answer a = dialogs::Answer::Ok);
    // Any next message box is answered with a (its text is recorded).
    ScriptedDialogs& answerNextMessage(dialogs::Answer a);
    ScriptedDialogs& onFile(std::function<dialogs::FileResult(const dialogs::FileRequest&)> fn);
    ScriptedDialogs& onModal(std::function<int(QDialog&)> fn);
    ScriptedDialogs& onColor(std::function<std::optional<QColor>(const QColor&)> fn);

    const QList<dialogs::Message>& messages() const { return messages_; }
    QList<dialogs::FileRequest> fileRequests() const { return fileRequests_; }
    // True when every scripted answer was used.
    bool allUsed() const;

private:
    struct Expected {
        QString text;  // empty: any text
        dialogs::Answer answer;
    };
    std::deque<Expected> expected_;
    std::deque<std::function<dialogs::FileResult(const dialogs::FileRequest&)>> files_;
    std::deque<std::function<int(QDialog&)>> modals_;
    std::deque<std::function<std::optional<QColor>(const QColor&)>> colors_;
    QList<dialogs::Message> messages_;
    QList<dialogs::FileRequest> fileRequests_;
    dialogs::Handlers previous_;
};

} // namespace tesk::test
