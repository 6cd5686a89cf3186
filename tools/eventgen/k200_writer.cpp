// SPDX-License-Identifier: GPL-3.0-or-later
#include "k200_writer.h"

#include "byte_buffer.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace krnz::eventgen {

namespace {

std::size_t channelsWithSensor(const K200Header& header) {
    std::size_t count = 0;
    for (const K200Channel& ch : header.channels) count += ch.sensorKind != 0 ? 1 : 0;
    return count;
}

std::size_t sensitivityOffset(std::size_t channel) {
    return channel < 4 ? 56 + 2 * channel : 120 + 2 * (channel - 4);
}

double roundHalfEven(double x) {
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5) return lower + 1.0;
    if (diff < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

}  // namespace

std::string k200Tag(int serial) {
    if (serial < 0 || serial > 999)
        throw std::invalid_argument("K200 serial must have three digits");
    char tag[9];
    std::snprintf(tag, sizeof tag, "K%03d6K20", serial);
    return tag;
}

std::size_t k200DataStart(const K200Header& header, int channelGroup) {
    std::size_t start =
        kK200ReferenceBlockOffset + kK200ReferenceBlockSize * channelsWithSensor(header);
    if (channelGroup == 2) start += 4 * k200BlockSize(header.regLengthIndex);
    return start;
}

int k200ZeroOffset(const K200References& references) {
    int sum = 0;
    for (std::int16_t r : references) {
        sum += r - kK200Baseline;
        if (sum > 640) return 0;
    }
    return static_cast<int>(roundHalfEven(sum / 16.0 + 1.0));
}

std::vector<std::uint8_t> writeK200(const K200Event& event) {
    const K200Header& h = event.header;
    const std::size_t blockSize = k200BlockSize(h.regLengthIndex);
    const std::size_t dataStart = k200DataStart(h);

    ByteBuffer out(dataStart + 8 * blockSize);
    out.putFixedText(0, h.tag, 8);
    out.putBytes(32, h.rawDate ? *h.rawDate : encodeDate(h.date));
    out.putU8(44, h.regLengthIndex);
    out.putU16(112, h.rawEventNumber ? *h.rawEventNumber : toBcd16(h.eventNumber));

    std::size_t referenceBlock = 0;
    for (std::size_t k = 0; k < 8; ++k) {
        const K200Channel& ch = h.channels[k];
        const std::size_t entry = 64 + 6 * k;
        out.putU8(entry + 0, ch.sensorKind);
        out.putU8(entry + 2, ch.unit);
        out.putU8(entry + 3, ch.loHi);
        out.putI16(entry + 4, ch.triggerRaw);
        out.putU16(sensitivityOffset(k), ch.sensitivityField);

        if (ch.sensorKind != 0) {
            const std::size_t block =
                kK200ReferenceBlockOffset + kK200ReferenceBlockSize * referenceBlock++;
            for (std::size_t j = 0; j < ch.references.size(); ++j)
                out.putI16(block + 2 * j, ch.references[j]);
        }

        const auto& samples = event.samples[k];
        if (2 * samples.size() > blockSize)
            throw std::invalid_argument("K200 channel " + std::to_string(k + 1) +
                                        " has more samples than its block holds");
        out.putI16Series(dataStart + k * blockSize, samples, 2);
    }
    return out.take();
}

}  // namespace krnz::eventgen
