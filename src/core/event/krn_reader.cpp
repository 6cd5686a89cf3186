// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/krn_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "core/common/error.h"
#include "core/event/reader_common.h"
#include "core/event/units.h"

namespace krnz {
namespace {

constexpr std::array<RecordLength, 5> kK100Lengths = {{{0.1, 1, 2000, 2000},
                                                       {0.2, 2, 4000, 2000},
                                                       {0.5, 4, 8000, 2000},
                                                       {0.5, 8, 8000, 1000},
                                                       {0.5, 16, 8000, 500}}};
constexpr std::array<RecordLength, 5> kK200Lengths = {{{0.2, 1, 5000, 5000},
                                                       {0.4, 2, 10000, 5000},
                                                       {0.5, 5, 25000, 5000},
                                                       {0.5, 10, 25000, 2500},
                                                       {0.5, 20, 25000, 1250}}};

constexpr int kRawZero = 1038;  // K200 counts at zero input
constexpr std::uint64_t kK200Header = 512;
constexpr std::uint64_t kK200RefBlock = 2048;

std::int16_t checkedInt16(std::int32_t v) {
    if (v < std::numeric_limits<std::int16_t>::min() ||
        v > std::numeric_limits<std::int16_t>::max())
        throwOverflow();
    return static_cast<std::int16_t>(v);
}

// Floating division as the instrument software does it: dividing by 0 is an error.
double divide(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0) throwOverflow();
        throwDivisionByZero();
    }
    return a / b;
}

std::uint8_t bcdByte(ByteSource& file, std::uint64_t offset) {
    return static_cast<std::uint8_t>(decodeBcd(file.u8(offset), 2));
}

std::int16_t serialFromTag(const std::string& tag) {
    // Characters 2..4 as a decimal number; blanks around it are tolerated.
    std::string digits = tag.substr(1, 3);
    while (!digits.empty() && digits.front() == ' ') digits.erase(digits.begin());
    while (!digits.empty() && digits.back() == ' ') digits.pop_back();
    if (digits.empty()) throw Error(kErrTypeMismatch, "Type mismatch");
    int value = 0;
    for (const char ch : digits) {
        if (ch < '0' || ch > '9') throw Error(kErrTypeMismatch, "Type mismatch");
        value = value * 10 + (ch - '0');
    }
    return static_cast<std::int16_t>(value);
}

std::uint64_t k200BlockSize(std::int32_t nSecPerChannelIndex) {
    if (nSecPerChannelIndex == 0) return 10240;
    if (nSecPerChannelIndex == 1) return 20480;
    return 51200;
}

void readK100Samples(ByteSource& file, Event& event) {
    SampleRecord& rec = event.sample;
    const std::int32_t n = rec.nSamplesPerChannel;
    std::vector<std::int16_t> raw(static_cast<std::size_t>(n) * kSlots);
    file.i16Array(512, raw);
    rec.samplesInFile = framesHeld(file.size(), 512, 2 * kSlots, n);
    for (int c = 0; c < kSlots; ++c) {
        const double sens = event.channels[c].sens;
        std::span<float> row = rec.sampleData.row(c);
        for (std::int32_t i = 0; i < n; ++i)
            row[i] = static_cast<float>(raw[static_cast<std::size_t>(i) * kSlots + c] / sens);
    }
}

void readK200Samples(ByteSource& file, Event& event) {
    SampleRecord& rec = event.sample;
    const std::uint64_t blockSize = k200BlockSize(rec.nSecPerChannelIndex);
    // The header is followed by one reference block per channel that has a sensor, in channel
    // order, so a channel's block sits after those of the channels with a sensor before it.
    std::array<int, 8> blockPosition{};
    int channelsWithSensor = 0;
    for (int k = 0; k < 8; ++k) {
        blockPosition[k] = channelsWithSensor;
        if (file.u8(64 + 6 * k) != 0) ++channelsWithSensor;
    }
    std::uint64_t dataStart = kK200Header + kK200RefBlock * channelsWithSensor;
    if (rec.channelGroup == 2) dataStart += 4 * blockSize;

    std::vector<std::int16_t> raw(static_cast<std::size_t>(rec.nSamplesPerChannel));
    // Each channel has its own block, so a cut leaves the later channels shorter: the event
    // holds what its shortest channel holds.
    rec.samplesInFile = rec.nSamplesPerChannel;
    for (int c = 0; c < kSlots; ++c) {
        const int k = (rec.channelGroup - 1) * kSlots + c;
        std::int16_t zeroOffset = 0;  // a channel without a sensor has no reference block
        if (event.channels[c].sensorKind != 0) {
            std::int16_t reference[16];
            file.i16Array(kK200Header + kK200RefBlock * blockPosition[k], reference);
            zeroOffset = k200ZeroOffset(reference);
        }
        const std::uint64_t start = dataStart + blockSize * c;
        file.i16Array(start, raw);
        // Samples the file does not hold are 0, not the reading of a raw 0 (which lies far
        // below the channel's zero).
        const std::int32_t heldSamples = framesHeld(file.size(), start, 2, rec.nSamplesPerChannel);
        rec.samplesInFile = std::min(*rec.samplesInFile, heldSamples);
        const auto held = static_cast<std::size_t>(heldSamples);
        const double sens = event.channels[c].sens;
        std::span<float> row = rec.sampleData.row(c);
        for (std::size_t i = 0; i < held; ++i)
            row[i] = static_cast<float>((raw[i] - kRawZero - zeroOffset) / sens);
        std::fill(row.begin() + static_cast<std::ptrdiff_t>(held), row.end(), 0.0f);
    }
}

}  // namespace

const RecordLength& krnRecordLength(int fileFormat, int regLengthIndex) {
    return (fileFormat == kFormatK100 ? kK100Lengths : kK200Lengths)
        .at(static_cast<std::size_t>(regLengthIndex));
}

KrnLayout k100Layout() {
    return {kFormatK100, 48, false, 64, 12, 1, 10, 6, 66, 12};
}

KrnLayout k200Layout(int channelGroup) {
    const bool upper = channelGroup == 2;
    return {kFormatK200, 112, true, upper ? 88u : 64u, 6, 2, 3, 4, upper ? 120u : 56u, 2};
}

int decodeBcd(std::uint32_t value, int digits) {
    int result = 0;
    for (int d = digits - 1; d >= 0; --d) {
        const int nibble = static_cast<int>((value >> (4 * d)) & 0xF);
        if (nibble > 9) throw Error(kErrTypeMismatch, "Type mismatch");
        result = result * 10 + nibble;
    }
    return result;
}

SensitivityField decodeSensitivityField(std::uint16_t bcdField) {
    int n = 0;
    try {
        n = decodeBcd(bcdField, 4);
    } catch (const Error&) {
        throw Error(kErrProgram, "file corrupt");
    }
    SensitivityField field;
    field.exponent = n / 1000;
    field.mantissa = n % 1000;
    field.sens = field.mantissa / std::pow(10.0, 3 - field.exponent);
    return field;
}

double krnSensitivity(std::uint16_t bcdField, std::uint8_t loHi, int fileFormat) {
    double sens = decodeSensitivityField(bcdField).sens;
    if (fileFormat == kFormatK100) {
        if (loHi == 0) sens = sens * 10;
    } else if (loHi == 0) {
        sens = sens * 2;
    } else {
        sens = sens / 5;
    }
    return sens;
}

std::int16_t k200ZeroOffset(const std::int16_t (&reference)[16]) {
    std::int32_t s = 0;
    for (const std::int16_t r : reference) {
        s += checkedInt16(r - kRawZero);  // the difference is a 16-bit value
        if (s > 640) return 0;
    }
    return checkedInt16(static_cast<std::int32_t>(std::nearbyint(s / 16.0 + 1)));
}

Event readKrnFile(ByteSource& file, const std::string& tag, int fileFormat, int channelGroup,
                  std::optional<std::int32_t> maxSamples) {
    Event event;
    SampleRecord& rec = event.sample;
    rec.channelGroup = fileFormat == kFormatK100 ? 1 : channelGroup;
    const KrnLayout layout =
        fileFormat == kFormatK100 ? k100Layout() : k200Layout(rec.channelGroup);
    if (layout.serialFromTag) rec.instrumentSN = serialFromTag(tag);

    for (int c = 0; c < kSlots; ++c) {
        ChannelRecord& ch = event.channels[c];
        const std::uint64_t entry = layout.tableBase + layout.entrySize * c;
        ch.loHi = file.u8(entry + layout.loHiInEntry);
        ch.sens =
            krnSensitivity(file.u16(layout.sensBase + layout.sensStride * c), ch.loHi, fileFormat);
    }

    rec.regLengthIndex = file.u8(44);
    rec.nSecPerChannelIndex = rec.regLengthIndex;
    if (rec.regLengthIndex > 4)
        throw ReadRejected(0, {"readDatafile: no such nSecPerChannelIndex"});
    const RecordLength& length = krnRecordLength(fileFormat, rec.regLengthIndex);
    rec.pretrig = length.pretrigS;
    rec.nSecPerChannel = length.nSecPerChannel;
    rec.nSamplesPerChannel = length.nSamples;
    rec.frq = length.frqHz;
    checkSampleCap(rec.nSamplesPerChannel, maxSamples);
    rec.sampleData = SampleMatrix(rec.nSamplesPerChannel, SampleMatrix::Init::Uninitialised);
    rec.sampleInterval = static_cast<double>(rec.nSecPerChannel) / rec.nSamplesPerChannel;

    // readKrnHeader
    if (!layout.serialFromTag)
        rec.instrumentSN = static_cast<std::int16_t>(decodeBcd(file.u16(52), 4));
    rec.eventNumber = static_cast<std::int16_t>(decodeBcd(file.u16(layout.eventNumberOffset), 4));
    rec.year = bcdByte(file, 33);
    rec.month = bcdByte(file, 34);
    rec.day = bcdByte(file, 36);
    rec.hour = bcdByte(file, 37);
    rec.minute = bcdByte(file, 38);
    rec.second = bcdByte(file, 39);
    for (int c = 0; c < kSlots; ++c) {
        ChannelRecord& ch = event.channels[c];
        const std::uint64_t entry = layout.tableBase + layout.entrySize * c;
        ch.unit = file.u8(entry + layout.unitInEntry);
        setDerivedUnits(ch);
        std::int32_t raw = file.i16(entry + layout.triggerInEntry);
        if (fileFormat == kFormatK200) raw = checkedInt16(raw * 4);
        ch.triggerLevel = divide(raw, ch.sens);
        ch.sensorKind = file.u8(entry);
    }

    if (fileFormat == kFormatK100) {
        readK100Samples(file, event);
    } else {
        readK200Samples(file, event);
    }
    rec.dataLoaded = true;
    calcMinMax(rec);
    markChannelsWithoutSensor(event);
    rec.fileFormat = fileFormat;
    return event;
}

}  // namespace krnz
