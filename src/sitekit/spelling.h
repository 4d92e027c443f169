#pragma once
// Spelling of the words a visitor reads, by Hunspell with the dictionaries
// the system has. Only text content and the alt, title and placeholder
// values are read; tags, other attribute values, addresses, e-mail
// addresses, numbers, all-capital abbreviations, script and style contents
// never are. Character references are decoded first ("caf&eacute;" is
// "café"); each word keeps where it is written in the page.

#include "sitekit/page_check.h"

#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Hunspell;

namespace sitekit {

struct PageWord {
    QString word;          // decoded, as written
    qsizetype start = 0;   // bytes [start, start + length) of the page as written
    qsizetype length = 0;
};

// Every word to check, in source order. Bytes [from, to) only when given
// (the lines in view), words of the text that crosses them included.
std::vector<PageWord> visibleWords(QByteArrayView utf8, qsizetype from = 0, qsizetype to = -1);

// The lang attribute of the page's <html> ("en-GB"), "" when it has none.
QString pageLanguage(QByteArrayView utf8);

// One word a line; blank lines and surrounding blanks dropped.
QStringList readWordList(QByteArrayView bytes);

// The folder the dictionaries are looked up in: /usr/share/hunspell, or
// TESK_HUNSPELL_DIR when set.
QString dictionaryFolder();
// The dictionary for a page: the page's language when a dictionary of it
// is installed ("en-gb" finds en_GB, "de" finds de_DE), else chosen.
QString dictionaryFor(const QString& pageLanguage, const QString& chosen, const QString& folder = dictionaryFolder());
// The personal word list in the user's configuration folder.
QString personalWordListPath();

class Speller {
public:
    // personalList: the file of words added by the user ("" for none).
    Speller(const QString& dictionary, const QString& personalList, const QString& folder = dictionaryFolder());
    ~Speller();
    Speller(const Speller&) = delete;
    Speller& operator=(const Speller&) = delete;

    QString dictionary() const { return dictionary_; }
    // "" when the dictionary could be loaded; else which one is missing and
    // how to install it.
    QString problem() const { return problem_; }

    // True for a word of a script the dictionary does not cover: nothing
    // can be said about it.
    bool isCorrect(const QString& word);
    QStringList suggestions(const QString& word, int most = 8);
    // Kept in the personal list across runs. False when the list cannot be
    // written (the word still counts as correct in this run).
    bool addToPersonal(const QString& word);
    // Correct until the speller ends.
    void ignore(const QString& word);

    // The misspelt words of a page, with their line and column; suggestions
    // only when asked for (they take long).
    std::vector<PageMessage> check(QByteArrayView utf8, bool withSuggestions, qsizetype from = 0, qsizetype to = -1);

private:
    bool covers(const QString& word) const;
    QString dictionary_;
    QString problem_;
    QString personalList_;
    std::unique_ptr<Hunspell> hunspell_;
    bool utf8_ = true;
    QSet<int> scripts_;  // QChar::Script values of the dictionary's letters
    QHash<QString, bool> known_;
    QHash<QString, QStringList> suggested_;
};

} // namespace sitekit
