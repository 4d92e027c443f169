// "Color Code" on whatever text the editor holds, whole or a selection; and
// the same text typed, cut and pasted while the colours follow it.
#include "fuzz_support.h"

#include "platform/file_system.h"
#include "text/color_coding.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first four bytes pick the selection; the rest is the text.
    quint16 a = 0, b = 0;
    if (size >= 4) {
        std::memcpy(&a, data, 2);
        std::memcpy(&b, data + 2, 2);
        data += 4;
        size -= 4;
    }
    const QString text = fs::decodeText(fuzz::bytes(data, size));
    const int n = int(text.size());
    const int start = n ? a % (n + 1) : 0;
    const int length = (n - start) ? b % (n - start + 1) : 0;

    const std::vector<qint8> perChar = colorcode::Color_Code_Slots(text, start, length);
    FUZZ_CHECK(perChar.size() == size_t(n));
    const int end = length ? start + length : n;
    for (int i = 0; i < n; ++i) {
        const bool inside = length ? (i >= start && i < end) : true;
        FUZZ_CHECK(perChar[i] == colorcode::kKeep || (inside && perChar[i] >= 0 && perChar[i] <= 3));
    }
    const auto runs = colorcode::Editor_Runs(text, perChar);
    int last = -1;
    for (const auto& r : runs) {
        FUZZ_CHECK(r.length >= 1 && r.start > last && r.start + r.length <= n);
        last = r.start + r.length - 1;
    }

    // The text split in two, the second half put into the first piece by
    // piece at places the selection bytes pick: after every piece the kept
    // colours are those of the whole text coloured afresh.
    colorcode::LiveColors live;
    QString held = text.left(n / 2);
    live.reset(held);
    quint32 seed = quint32(a) * 65537u + b;
    for (int from = n / 2; from < n;) {
        seed = seed * 1103515245u + 12345u;
        const int piece = std::min(n - from, 1 + int(seed >> 16) % 7);
        const int pos = int(seed % quint32(held.size() + 1));
        const int removed = (seed >> 8) % 5 == 0 ? std::min(int(held.size()) - pos, int(seed >> 24) % 9) : 0;
        const QStringView inserted = QStringView(text).mid(from, piece);
        held.replace(pos, removed, inserted.toString());
        live.edit(pos, removed, inserted);
        from += piece;
        FUZZ_CHECK(live.slotsOf(0, int(held.size())) == colorcode::Color_Code_Slots(held, 0, 0));
    }
    return 0;
}
