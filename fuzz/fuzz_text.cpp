// Any file read as text: a list, a page, a source that is not RTF, in
// UTF-8, Windows-1252, or UTF-16 and UTF-32 by their byte-order marks.
#include "fuzz_support.h"

#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray in = fuzz::bytes(data, size);
    const QString text = textenc::decode(in);

    // Never more characters than bytes, and never half a surrogate pair: the
    // editor and the RTF writer take the text as it is.
    FUZZ_CHECK(text.size() <= in.size());
    FUZZ_CHECK(text.isValidUtf16());

    // What is called text holds no NUL, and the editor shows what was read.
    rtf::Content c;
    const bool opened = rtf::readSource(in, c);
    if (!rtf::isRtf(in)) {
        FUZZ_CHECK(opened == textenc::isText(text));
        FUZZ_CHECK(!opened || !text.contains(QChar(0)));
        FUZZ_CHECK(!opened || c.text == rtf::editorText(text));
    }

    // Written back (always UTF-8) and read again, the text is the same; a
    // second byte-order mark at the start is the one character a file
    // cannot keep there.
    if (text.startsWith(QChar(0xFEFF)))
        return 0;
    FUZZ_CHECK(textenc::decode(textenc::encode(text)) == text);

    // Adding a line to such a file keeps what was there, then the line.
    const QString path = fuzz::fileWith(QStringLiteral("list.lst"), in);
    if (fs::appendText(path, QStringLiteral("new\r\n")) == fs::Result::Ok) {
        QString after;
        FUZZ_CHECK(fs::readText(path, after) == fs::Result::Ok);
        FUZZ_CHECK(after == text + QStringLiteral("new\r\n"));
    }
    return 0;
}
