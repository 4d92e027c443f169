#pragma once
// What tests share: scripted answers for every dialog, a throw-away program
// folder, and a clean program between tests.

#include "logic_support.h"
#include "platform/dialogs.h"
#include "platform/rich_text_box.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

class QComboBox;

namespace tesk::test {

// Dialogs that no test expected fail the running test (instead of blocking).
void installStrictDialogs();

// Unloads every window and resets the shared state.
void resetProgram();

// A text with its selection drawn in, '[' and ']' around it or '|' for a
// caret: put into a box, read from one, or taken out of the text.
std::pair<int, int> undraw(QString& s);
void setDrawn(RichTextBox& box, QString s);
QString drawn(const RichTextBox& box);

// The texts of a combo box's entries, from the from-th on.
QStringList items(const QComboBox* box, int from = 0);

// Answers the dialogs a test expects, in order, and records every message.
// Whatever is not scripted fails the test, as in the strict default.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();

    // The next message box must show exactly this text; it answers with a.
    ScriptedDialogs& expectMessage(const QString& text, dialogs::Answer a = dialogs::Answer::Ok)
    {
        return expected_.push_back({text.isNull() ? QStringLiteral("") : text, a}), *this;
    }
    // Any next message box is answered with a (its text is recorded).
    ScriptedDialogs& answerNextMessage(dialogs::Answer a) { return expected_.push_back({QString(), a}), *this; }
    ScriptedDialogs& onFile(dialogs::FileHandler fn) { return files_.push_back(std::move(fn)), *this; }
    ScriptedDialogs& onModal(dialogs::ModalHandler fn) { return modals_.push_back(std::move(fn)), *this; }
    ScriptedDialogs& onColor(dialogs::ColorHandler fn) { return colors_.push_back(std::move(fn)), *this; }
    // The next progress bar; one not scripted runs to the end unseen.
    ScriptedDialogs& onProgress(dialogs::ProgressHandler fn) { return progresses_.push_back(std::move(fn)), *this; }
    QList<dialogs::ProgressRequest> progressRequests() const { return progressRequests_; }

    const QList<dialogs::Message>& messages() const { return messages_; }
    QList<dialogs::FileRequest> fileRequests() const { return fileRequests_; }
    // True when every scripted answer was used.
    bool allUsed() const
    {
        return expected_.empty() && files_.empty() && modals_.empty() && colors_.empty() && progresses_.empty();
    }

private:
    struct Expected {
        QString text;  // empty: any text
        dialogs::Answer answer;
    };
    std::deque<Expected> expected_;
    std::deque<dialogs::FileHandler> files_;
    std::deque<dialogs::ModalHandler> modals_;
    std::deque<dialogs::ColorHandler> colors_;
    std::deque<dialogs::ProgressHandler> progresses_;
    QList<dialogs::ProgressRequest> progressRequests_;
    QList<dialogs::Message> messages_;
    QList<dialogs::FileRequest> fileRequests_;
    dialogs::Handlers previous_;
};

// What the site windows' tests set up around each test: a fresh program on a
// site of its own with its dialogs scripted, and the user's data folder
// (trash, publish records) inside the site. Returns the data folder to put
// back; the close undoes it all, the script last used up or not.
QByteArray openSiteSession(std::unique_ptr<TempSite>& site, std::unique_ptr<ScriptedDialogs>& script);
void closeSiteSession(std::unique_ptr<TempSite>& site, std::unique_ptr<ScriptedDialogs>& script,
                      const QByteArray& dataHome);

} // namespace tesk::test
