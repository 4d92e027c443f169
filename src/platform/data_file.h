#pragma once
// The quoted write/input notation of the settings file and the colour setting
// files: one item per line, strings in double quotes (nothing escaped),
// numbers bare, Booleans as #TRUE# / #FALSE#.

#include <QString>
#include <QStringList>

#include <optional>

namespace data_file {

// Formats a number the way it appears inside a string item: one leading blank
// when zero or positive, a minus sign when negative (" 2", "-2").
QString numberText(qint64 value);

// The numeric prefix of a text: leading blanks skipped, an optional sign and
// digits (and, for valueOf, a decimal fraction) read, reading stops at the
// first other character; a text without a leading number yields 0. Results
// beyond the 32-bit range are clamped.
int intValue(const QString& text);
double valueOf(const QString& text);

class Writer {
public:
    void writeString(const QString& s);   // "text"
    void writeNumber(qint64 n);           // 360, -2
    void writeBoolean(bool b);            // #TRUE#
    const QString& text() const { return text_; }
    qsizetype lineCount() const { return lines_; }

private:
    QString text_;
    qsizetype lines_ = 0;
};

// Reads items in order. Every read returns nothing once the text is exhausted
// or an item is not of the expected kind; the caller stops there, keeping what
// it read before.
class Reader {
public:
    explicit Reader(QString text);

    // Any item, as text: the characters between the quotes of a quoted item,
    // else the characters up to the next comma or line end, trailing blanks
    // removed. An empty line is an empty item.
    std::optional<QString> readString();
    // A bare or quoted item's numeric prefix (see intValue).
    std::optional<int> readNumber();
    // #TRUE# or #FALSE# (any letter case).
    std::optional<bool> readBoolean();
    bool atEnd() const;

private:
    std::optional<QString> readRaw(bool* quoted);
    QString text_;
    qsizetype pos_ = 0;
};

} // namespace data_file
