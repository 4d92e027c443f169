// Hunspell 1.7 (std::string API). The page's text comes from the HTML
// parser, which hands back each text both as written and decoded; the two
// are walked side by side so a decoded word finds its bytes in the page.
#include "sitekit/spelling.h"

#include "platform/file_system.h"
#include "sitekit/html_parser.h"

#include <hunspell.hxx>

#include <QDir>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace sitekit {

namespace {

qsizetype utf8Length(uchar lead)
{
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

bool isAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The decoded text as UTF-16 with, for each unit, the bytes of the page it
// was written as: [at, atEnd) (a character reference gives all its
// characters its own bytes).
struct Aligned {
    QString text;
    std::vector<qsizetype> at;
    std::vector<qsizetype> atEnd;
};

Aligned align(QByteArrayView page, qsizetype rawStart, qsizetype rawEnd, QByteArrayView decoded)
{
    Aligned out;
    const QByteArrayView raw = page.sliced(rawStart, rawEnd - rawStart);
    qsizetype i = 0, j = 0;
    auto take = [&](qsizetype from, qsizetype to, qsizetype length) {
        const QString piece = QString::fromUtf8(decoded.sliced(j, length));
        out.text += piece;
        from = qMin(from, raw.size());
        to = qBound(from, to, raw.size());
        out.at.insert(out.at.end(), size_t(piece.size()), rawStart + from);
        out.atEnd.insert(out.atEnd.end(), size_t(piece.size()), rawStart + to);
        j += length;
    };
    while (j < decoded.size()) {
        const qsizetype cp = qMin(utf8Length(uchar(decoded[j])), decoded.size() - j);
        // A tag the parser dropped (a stray end tag) sits inside the text
        // as written but not in the text read.
        while (i < raw.size() && raw[i] == '<' && decoded[j] != '<') {
            const qsizetype close = raw.indexOf('>', i);
            i = close < 0 ? raw.size() : close + 1;
        }
        if (i < raw.size() && raw[i] == '\r' && decoded[j] == '\n') {
            const qsizetype at = i;
            i += i + 1 < raw.size() && raw[i + 1] == '\n' ? 2 : 1;
            take(at, i, 1);
            continue;
        }
        if (i < raw.size() && raw[i] == '&') {
            qsizetype k = i + 1;
            if (k < raw.size() && raw[k] == '#')
                ++k;
            while (k < raw.size() && isAlnum(raw[k]))
                ++k;
            if (k < raw.size() && raw[k] == ';')
                ++k;
            if (k > i + 1 && !decoded.sliced(j).startsWith(raw.sliced(i, k - i))) {
                // A reference gives one or two characters.
                int n = 0;
                do {
                    take(i, k, qMin(utf8Length(uchar(decoded[j])), decoded.size() - j));
                    ++n;
                } while (j < decoded.size() && n < 2 && (k >= raw.size() || decoded[j] != raw[k]));
                i = k;
                continue;
            }
        }
        take(i, i + cp, cp);
        i += cp;
    }
    return out;
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
}

bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// An address, an e-mail address or a file name ("index.html"): never words.
bool isAddress(QStringView chunk)
{
    if (chunk.contains(u"://") || chunk.startsWith(u"www.", Qt::CaseInsensitive) || chunk.contains(QLatin1Char('@')))
        return true;
    for (qsizetype i = 1; i + 1 < chunk.size(); ++i)
        if (chunk[i] == QLatin1Char('.') && chunk[i - 1].isLetterOrNumber() && chunk[i + 1].isLetterOrNumber())
            return true;
    return false;
}

void addWords(const Aligned& a, std::vector<PageWord>& out)
{
    const QString& s = a.text;
    auto rawAt = [&](qsizetype k) { return a.at[size_t(k)]; };
    auto rawEnd = [&](qsizetype k) { return a.atEnd[size_t(k - 1)]; };
    qsizetype c = 0;
    while (c < s.size()) {
        while (c < s.size() && s[c].isSpace())
            ++c;
        qsizetype chunkEnd = c;
        while (chunkEnd < s.size() && !s[chunkEnd].isSpace())
            ++chunkEnd;
        if (isAddress(QStringView(s).sliced(c, chunkEnd - c))) {
            c = chunkEnd;
            continue;
        }
        qsizetype i = c;
        while (i < chunkEnd) {
            if (!isWordChar(s[i])) {
                ++i;
                continue;
            }
            qsizetype j = i;
            bool digits = false, lower = false;
            int letters = 0;
            while (j < chunkEnd
                   && (isWordChar(s[j]) || (isApostrophe(s[j]) && j + 1 < chunkEnd && s[j + 1].isLetter()))) {
                digits = digits || s[j].isDigit() || s[j] == QLatin1Char('_');
                lower = lower || s[j].isLower();
                letters += s[j].isLetter() ? 1 : 0;
                ++j;
            }
            // Numbers, names with digits and abbreviations in capitals are
            // no words a dictionary knows.
            if (!digits && letters >= 2 && lower)
                out.push_back({s.mid(i, j - i), rawAt(i), rawEnd(j) - rawAt(i)});
            i = j;
        }
        c = chunkEnd;
    }
}

bool isReadAttribute(const QByteArray& name)
{
    return name == "alt" || name == "title" || name == "placeholder";
}

class Lines {
public:
    explicit Lines(QByteArrayView bytes) : bytes_(bytes)
    {
        starts_.push_back(0);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
                starts_.push_back(i + 1);
    }
    void place(qsizetype at, int& line, int& column) const
    {
        const auto it = std::upper_bound(starts_.begin(), starts_.end(), at) - 1;
        line = int(it - starts_.begin()) + 1;
        column = 1;
        for (qsizetype i = *it; i < at; ++i)
            if ((uchar(bytes_[i]) & 0xC0) != 0x80)
                ++column;
    }

private:
    QByteArrayView bytes_;
    std::vector<qsizetype> starts_;
};

QString normalised(const QString& word)
{
    QString w = word;
    w.replace(QChar(0x2019), QLatin1Char('\''));
    return w;
}

// Where parsing lines in view can begin: the start of the line of from, or
// earlier when it lies inside a comment, script, style or code-like element
// opened above (whose contents must not be read as words). The tags are
// looked for as written, not parsed: a miss only checks a few words more.
qsizetype sliceStart(QByteArrayView page, qsizetype from)
{
    qsizetype start = from;
    while (start > 0 && page[start - 1] != '\n' && page[start - 1] != '\r')
        --start;
    // Backwards from there, the first of a pair's tags seen decides whether
    // the lines begin inside it; a comment holds tags that do not count.
    static const QByteArrayView pairs[][2] = {{"<script", "</script"}, {"<style", "</style"}, {"<code", "</code"}};
    auto at = [&](qsizetype i, QByteArrayView tag) {
        if (i + tag.size() > page.size())
            return false;
        for (qsizetype k = 0; k < tag.size(); ++k)
            if ((page[i + k] | 0x20) != (tag[k] | 0x20))
                return false;
        return true;
    };
    bool decided[3] = {false, false, false};
    qsizetype earliest = start;
    int open = 3;
    bool commentDecided = false;
    for (qsizetype i = start - 1; i >= 0 && (open > 0 || !commentDecided); --i) {
        if (page[i] == '>' && i >= 2 && page[i - 1] == '-' && page[i - 2] == '-')
            commentDecided = true;
        if (page[i] != '<')
            continue;
        if (!commentDecided && at(i, "<!--")) {
            commentDecided = true;
            earliest = qMin(earliest, i);
        }
        for (int p = 0; p < 3; ++p) {
            if (decided[p])
                continue;
            if (at(i, pairs[p][1])) {
                decided[p] = true;
                --open;
            } else if (at(i, pairs[p][0])) {
                decided[p] = true;
                --open;
                earliest = qMin(earliest, i);
            }
        }
    }
    return earliest;
}

} // namespace

std::vector<PageWord> visibleWords(QByteArrayView utf8, qsizetype from, qsizetype to)
{
    if (to < 0 || to > utf8.size())
        to = utf8.size();
    from = qBound<qsizetype>(0, from, to);
    // Lines in view are parsed alone, so a keystroke in a big page costs
    // what the lines cost.
    qsizetype base = 0;
    QByteArrayView page = utf8;
    if (from > 0 || to < utf8.size()) {
        base = sliceStart(utf8, from);
        qsizetype end = to;
        while (end < utf8.size() && utf8[end] != '\n' && utf8[end] != '\r')
            ++end;
        page = utf8.sliced(base, end - base);
    }
    std::vector<PageWord> out;
    const html::Document doc = html::parse(page, true);
    for (const html::TextRun& t : doc.texts)
        if (t.end + base > from && t.start + base < to)
            addWords(align(page, t.start, t.end, t.text), out);
    for (const html::Element& e : doc.elements)
        for (const html::Attribute& a : e.attributes)
            if (isReadAttribute(a.name) && a.end + base > from && a.start + base < to && a.end > a.start)
                addWords(align(page, a.start, a.end, a.value), out);
    for (PageWord& w : out)
        w.start += base;
    std::sort(out.begin(), out.end(), [](const PageWord& a, const PageWord& b) { return a.start < b.start; });
    return out;
}

QString pageLanguage(QByteArrayView utf8)
{
    // Only the start of a page holds its <html> tag.
    const html::Document doc = html::parse(utf8.first(qMin<qsizetype>(utf8.size(), 4096)));
    for (const html::Element& e : doc.elements)
        if (e.tag == "html")
            for (const html::Attribute& a : e.attributes)
                if (a.name == "lang" || a.name == "xml:lang")
                    return QString::fromUtf8(a.value).trimmed();
    return {};
}

QStringList readWordList(QByteArrayView bytes)
{
    QStringList out;
    for (const QString& line : fs::decodeText(bytes.toByteArray()).split(QLatin1Char('\n'))) {
        const QString w = line.trimmed();
        if (!w.isEmpty())
            out << w;
    }
    return out;
}

QString dictionaryFolder()
{
    const QString set = qEnvironmentVariable("TESK_HUNSPELL_DIR");
    return set.isEmpty() ? QStringLiteral("/usr/share/hunspell") : set;
}

QString dictionaryFor(const QString& pageLanguage, const QString& chosen, const QString& folder)
{
    const QString lang = pageLanguage.trimmed().replace(QLatin1Char('-'), QLatin1Char('_'));
    if (lang.isEmpty())
        return chosen;
    const QStringList installed = QDir(folder).entryList({QStringLiteral("*.dic")}, QDir::Files, QDir::Name);
    QString sameLanguage;
    const QString base = lang.section(QLatin1Char('_'), 0, 0);
    for (const QString& file : installed) {
        const QString name = file.chopped(4);
        if (name.compare(lang, Qt::CaseInsensitive) == 0)
            return name;
        if (name.section(QLatin1Char('_'), 0, 0).compare(base, Qt::CaseInsensitive) == 0
            && (sameLanguage.isEmpty() || name == chosen))
            sameLanguage = name;
    }
    if (!sameLanguage.isEmpty() && lang.compare(base, Qt::CaseInsensitive) == 0)
        return sameLanguage;  // "en" with en_US installed
    return chosen;
}

QString personalWordListPath()
{
    // The program's own folder by name, so tesk-site shares the editor's list.
    return fs::withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        + QStringLiteral("Tesk Web Editor/Personal Words.txt");
}

Speller::Speller(const QString& dictionary, const QString& personalList, const QString& folder)
    : dictionary_(dictionary), personalList_(personalList)
{
    const QString stem = fs::withSeparator(folder) + dictionary;
    QByteArray aff;
    if (dictionary.isEmpty() || !fs::fileExists(stem + QStringLiteral(".dic"))
        || fs::readBytes(stem + QStringLiteral(".aff"), aff) != fs::Result::Ok) {
        problem_ = QStringLiteral("The spelling dictionary %1 is not installed (in %2). Install it with: "
                                  "sudo apt-get install hunspell-%3")
                       .arg(dictionary, folder, dictionary.toLower().replace(QLatin1Char('_'), QLatin1Char('-')));
        return;
    }
    hunspell_ = std::make_unique<Hunspell>(QFile::encodeName(stem + QStringLiteral(".aff")).constData(),
                                           QFile::encodeName(stem + QStringLiteral(".dic")).constData());
    QByteArray encoding = QByteArray(hunspell_->get_dict_encoding().c_str()).toUpper();
    utf8_ = encoding == "UTF-8" || encoding == "UTF8";
    for (const QByteArray& line : aff.split('\n')) {
        if (!line.startsWith("TRY "))
            continue;
        const QString letters = utf8_ ? QString::fromUtf8(line.mid(4)) : QString::fromLatin1(line.mid(4));
        for (QChar c : letters)
            if (c.isLetter())
                scripts_.insert(int(c.script()));
    }
    if (scripts_.isEmpty())
        scripts_.insert(int(QChar::Script_Latin));
    QByteArray list;
    if (!personalList_.isEmpty() && fs::readBytes(personalList_, list) == fs::Result::Ok)
        for (const QString& w : readWordList(list))
            hunspell_->add((utf8_ ? w.toUtf8() : w.toLatin1()).toStdString());
}

Speller::~Speller() = default;

bool Speller::covers(const QString& word) const
{
    for (QChar c : word)
        if (c.isLetter() && !scripts_.contains(int(c.script())))
            return false;
    return true;
}

bool Speller::isCorrect(const QString& word)
{
    if (!hunspell_)
        return true;
    const auto known = known_.constFind(word);
    if (known != known_.constEnd())
        return *known;
    const QString w = normalised(word);
    const bool correct = !covers(w) || hunspell_->spell((utf8_ ? w.toUtf8() : w.toLatin1()).toStdString());
    known_.insert(word, correct);
    return correct;
}

QStringList Speller::suggestions(const QString& word, int most)
{
    if (!hunspell_ || !covers(word))
        return {};
    // A site misspells the same word on many pages; each suggestion takes long.
    auto cached = suggested_.constFind(word);
    if (cached == suggested_.constEnd()) {
        QStringList all;
        const QString w = normalised(word);
        for (const std::string& s : hunspell_->suggest((utf8_ ? w.toUtf8() : w.toLatin1()).toStdString()))
            all << (utf8_ ? QString::fromStdString(s) : QString::fromLatin1(s.c_str()));
        cached = suggested_.insert(word, all);
    }
    return cached->mid(0, most);
}

bool Speller::addToPersonal(const QString& word)
{
    ignore(word);
    if (personalList_.isEmpty())
        return false;
    QByteArray list;
    QStringList words;
    if (fs::fileExists(personalList_)) {
        if (fs::readBytes(personalList_, list) != fs::Result::Ok)
            return false;  // an unreadable list is never replaced
        words = readWordList(list);
    }
    if (words.contains(word))
        return true;
    words << word;
    QDir().mkpath(fs::parentFolder(personalList_));
    return fs::writeBytes(personalList_, (words.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) == fs::Result::Ok;
}

void Speller::ignore(const QString& word)
{
    known_.insert(word, true);
    if (hunspell_)
        hunspell_->add((utf8_ ? normalised(word).toUtf8() : normalised(word).toLatin1()).toStdString());
}

std::vector<PageMessage> Speller::check(QByteArrayView utf8, bool withSuggestions, qsizetype from, qsizetype to)
{
    std::vector<PageMessage> out;
    if (!hunspell_)
        return out;
    const Lines lines(utf8);
    for (const PageWord& w : visibleWords(utf8, from, to)) {
        if (isCorrect(w.word))
            continue;
        PageMessage m;
        m.kind = PageMessage::Kind::Spelling;
        m.text = w.word;
        m.start = w.start;
        m.length = w.length;
        lines.place(w.start, m.line, m.column);
        if (withSuggestions)
            m.suggestions = suggestions(w.word);
        out.push_back(std::move(m));
    }
    return out;
}

} // namespace sitekit
