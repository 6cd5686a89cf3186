// SPDX-License-Identifier: GPL-3.0-or-later
#include "k100_writer.h"

#include "byte_buffer.h"

#include <algorithm>

namespace krnz::eventgen {

std::vector<std::uint8_t> writeK100(const K100Event& event) {
    const K100Header& h = event.header;
    std::size_t nSteps = 0;
    for (const auto& slot : event.samples) nSteps = std::max(nSteps, slot.size());

    ByteBuffer out(kK100DataOffset + 8 * nSteps);
    out.putFixedText(0, h.tag, 8);
    const auto date = h.rawDate ? *h.rawDate : encodeDate(h.date);
    out.putBytes(32, date);
    out.putU8(44, h.regLengthIndex);
    out.putU16(48, h.rawEventNumber ? *h.rawEventNumber : toBcd16(h.eventNumber));
    out.putU16(52, h.rawInstrumentSN ? *h.rawInstrumentSN : toBcd16(h.instrumentSN));

    for (std::size_t c = 0; c < 4; ++c) {
        const K100Channel& ch = h.channels[c];
        const std::size_t entry = 64 + 12 * c;
        out.putU8(entry + 0, ch.sensorKind);
        out.putU8(entry + 1, ch.unit);
        out.putU16(entry + 2, ch.sensitivityField);
        out.putI16(entry + 6, ch.triggerRaw);
        out.putU8(entry + 10, ch.loHi);
    }

    for (std::size_t c = 0; c < 4; ++c)
        out.putI16Series(kK100DataOffset + 2 * c, event.samples[c], 8);
    return out.take();
}

}  // namespace krnz::eventgen
