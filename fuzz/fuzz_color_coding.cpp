// "Color Code" on whatever text the editor holds, whole or a selection.
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
    return 0;
}
