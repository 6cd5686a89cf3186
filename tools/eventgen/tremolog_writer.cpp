// SPDX-License-Identifier: GPL-3.0-or-later
#include "tremolog_writer.h"

#include "byte_buffer.h"
#include "windows1252.h"

#include <algorithm>

namespace krnz::eventgen {

namespace {

std::size_t sampleSteps(const TremologEvent& event) {
    std::size_t n = 0;
    for (const auto& slot : event.samples) n = std::max(n, slot.size());
    return n;
}

void putTextField(std::vector<std::uint8_t>& section, std::size_t offset, std::size_t width,
                  const std::string& utf8, std::uint8_t padding) {
    const std::string bytes = toWindows1252(utf8);
    for (std::size_t k = 0; k < width; ++k) {
        std::uint8_t b = padding;
        if (k < bytes.size())
            b = static_cast<std::uint8_t>(bytes[k]);
        else if (k == bytes.size())
            b = 0;
        section[offset + k] = b;
    }
}

}  // namespace

TremologOffsets tremologOffsets(const TremologEvent& event) {
    const TremologHeader& h = event.header;
    TremologOffsets offsets{kTremologDefaultDataOffset, kTremologDefaultTextOffset};
    if (h.textPlacement == TextPlacement::AfterSamples) {
        offsets.data = kTremologDefaultTextOffset;
        offsets.text = static_cast<std::uint32_t>(offsets.data + 8 * sampleSteps(event));
    }
    if (h.dataOffset) offsets.data = *h.dataOffset;
    if (h.textOffset) offsets.text = *h.textOffset;
    return offsets;
}

std::vector<std::uint8_t> encodeTremologTextSection(const UserTexts& texts, std::uint8_t padding) {
    std::vector<std::uint8_t> section(kTremologTextSectionSize, 0);
    const std::string* shortFields[] = {&texts.client,       &texts.operation, &texts.location,
                                        &texts.operatorName, &texts.notes,     &texts.company,
                                        &texts.supplement};
    std::size_t offset = 0;
    for (const std::string* field : shortFields) {
        putTextField(section, offset, 30, *field, padding);
        offset += 30;
    }
    putTextField(section, offset, 200, lineBreaksToTilde(texts.freeText), padding);
    return section;
}

std::vector<std::uint8_t> writeTremolog(const TremologEvent& event) {
    const TremologHeader& h = event.header;
    const std::size_t n = sampleSteps(event);
    const TremologOffsets offsets = tremologOffsets(event);

    ByteBuffer out(std::max<std::size_t>(kTremologHeaderSize, offsets.data + 8 * n));
    for (std::size_t c = 0; c < 4; ++c) out.putI16Series(offsets.data + 2 * c, event.samples[c], 8);

    out.putBytes(offsets.text, event.rawTextSection
                                   ? *event.rawTextSection
                                   : encodeTremologTextSection(event.texts, event.textPadding));

    out.putFixedText(0, h.tag, 8);
    out.putU8(10, h.lengthFlagA);
    out.putU8(11, h.lengthFlagB);
    out.putI16(12, h.instrumentSN);
    out.putI32(26, h.eventCounter);
    out.putU16(30, h.year);
    out.putU8(32, h.month);
    out.putU8(33, h.day);
    out.putU8(34, h.hour);
    out.putU8(35, h.minute);
    out.putU8(36, h.second);
    out.putU16(38, h.frq);
    out.putU16(40, h.nSecPerChannel);
    out.putU16(42, h.pretriggerSamples);
    for (std::size_t c = 0; c < 4; ++c) {
        out.putU8(46 + c, h.sensorKind[c]);
        out.putU8(c < 3 ? 58 + c : 61, h.unit[c]);
        out.putF32(62 + 4 * c, h.scaleNumerator[c]);
        out.putF32(78 + 4 * c, h.scaleDenominator[c]);
        out.putF32(110 + 4 * c, h.triggerLevel[c]);
    }
    out.putU32(158, offsets.data);
    out.putU32(162, offsets.text);
    out.putU32(166, h.storedNSamples ? *h.storedNSamples : static_cast<std::uint32_t>(n));
    return out.take();
}

}  // namespace krnz::eventgen
