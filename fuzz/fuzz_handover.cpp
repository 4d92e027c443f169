// What a later start sends the running editor over its socket: anyone of
// this user can connect and send anything, in pieces of any size.
#include "fuzz_support.h"

#include "core/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);

    // Read whole, and read in pieces whose sizes the input's first byte
    // chooses: the socket hands the bytes over as they come.
    handover::Reader whole;
    const handover::Reader::State state = whole.feed(input);
    handover::Reader pieces;
    const qsizetype step = input.isEmpty() ? 1 : 1 + quint8(input[0]) % 7;
    for (qsizetype at = 0; at < input.size(); at += step)
        pieces.feed(QByteArrayView(input).sliced(at, qMin(step, input.size() - at)));
    FUZZ_CHECK(pieces.state() == state);
    FUZZ_CHECK(pieces.paths() == whole.paths());

    FUZZ_CHECK(whole.paths().size() <= qsizetype(handover::Reader::kMaxPaths));
    if (state == handover::Reader::State::Complete) {
        // A list read is the list sent: encoding it again reads back the same.
        handover::Reader again;
        FUZZ_CHECK(again.feed(handover::Encode(whole.paths())) == handover::Reader::State::Complete);
        FUZZ_CHECK(again.paths() == whole.paths());
    }
    return 0;
}
