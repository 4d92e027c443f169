#pragma once
// What is wrong with a page's markup, by HTML Tidy (the HTML5 one), and the
// form every page message (markup or spelling) is printed and listed in.
// Tidy only reads here: it never writes a cleaned copy, so the user's text
// is never changed by a check.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

namespace sitekit {

struct PageMessage {
    enum class Kind { Error, Warning, Accessibility, Spelling };
    Kind kind = Kind::Warning;
    int line = 1;    // 1-based
    int column = 1;  // 1-based, in characters (a tab is one)
    QString text;    // markup: Tidy's message; spelling: the word
    QStringList suggestions;  // spelling only
    qsizetype start = 0;   // spelling: where the word lies in the checked bytes
    qsizetype length = 0;  // spelling: its length in those bytes
    bool operator==(const PageMessage&) const = default;
};

struct TidyOptions {
    // Tidy's first-priority accessibility checks: a picture without "alt",
    // a data table without headers, and so on.
    bool accessibility = false;
};

// Errors and warnings of a page in UTF-8 (any line ends), in the order Tidy
// finds them. Tidy's own summary, its info lines and its reminders that need
// no change ("ensure ...") are left out. A page Tidy cannot read at all gives
// one error at line 1.
std::vector<PageMessage> checkMarkup(QByteArrayView utf8, const TidyOptions& options = {});

// "error: ...", "warning: ...", "accessibility: ...", "spelling: WORD
// (suggestions: a, b, c)": the message after "FILE:LINE:COLUMN: ".
QString messageText(const PageMessage& m);
// "FILE:LINE:COLUMN: message", the form editors and CI read.
QString messageLine(const QString& file, const PageMessage& m);

} // namespace sitekit
