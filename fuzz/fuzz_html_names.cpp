// The names file of completion ("html_names.txt" beside the program).
#include "fuzz_support.h"

#include "source/completion.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::fileWith(QStringLiteral("html_names.txt"), fuzz::bytes(data, size));
    const completion::HtmlNames n = completion::Read_Html_Names(path);
    for (const QStringList* l : {&n.elements, &n.globals, &n.entities}) {
        FUZZ_CHECK(std::is_sorted(l->begin(), l->end()));
        for (const QString& name : *l)
            FUZZ_CHECK(!name.isEmpty() && !name.contains(u' ') && !name.contains(u';') && !name.contains(u'>'));
    }
    // The file's own text, as a page: whatever it holds, the offers come
    // from the lists read.
    colorcode::LiveColors page;
    const QString text = QString::fromUtf8(fuzz::bytes(data, std::min<size_t>(size, 4096)));
    page.reset(text);
    for (int caret = 0; caret <= page.length(); caret += 7) {
        const completion::Context c = completion::Context_At(page, caret);
        FUZZ_CHECK(c.start >= 0 && c.start <= caret);
        for (const QString& name : completion::Names_For(n, c))
            FUZZ_CHECK(name.startsWith(c.typed, Qt::CaseInsensitive));
    }
    return 0;
}
