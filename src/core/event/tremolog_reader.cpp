// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/tremolog_reader.h"

#include <cmath>
#include <limits>
#include <mutex>
#include <vector>

#include "core/common/error.h"
#include "core/common/parallel.h"
#include "core/event/reader_common.h"
#include "core/event/units.h"
#include "core/event/user_info.h"

namespace krnz {
namespace {

constexpr double kMaxLong = 2147483647.0;

double divide(double a, double b) {
    if (b == 0.0) {
        if (a == 0.0) throwOverflow();
        throwDivisionByZero();
    }
    const double q = a / b;
    if (!std::isfinite(q)) throwOverflow();
    return q;
}

std::uint8_t toByte(int v) {
    if (v < 0 || v > 255) throwOverflow();
    return static_cast<std::uint8_t>(v);
}

std::int32_t roundToLong(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -kMaxLong - 1 && r <= kMaxLong)) throwOverflow();
    return static_cast<std::int32_t>(r);
}

float toSingle(double v) {
    if (std::fabs(v) > std::numeric_limits<float>::max()) throwOverflow();
    return static_cast<float>(v);
}

void readSamples(ByteSource& file, std::uint64_t dataOffset, const std::array<double, kSlots>& k,
                 SampleRecord& rec) {
    // Interleaved blocks of four values, converted in chunks so the raw copy stays small. The
    // two halves of the record are converted side by side; the file is read by one at a time.
    constexpr std::size_t kChunkSteps = 1 << 16;
    constexpr int kParts = 2;
    const auto n = static_cast<std::size_t>(rec.nSamplesPerChannel);
    std::array<float*, kSlots> rows{};
    for (int c = 0; c < kSlots; ++c) rows[c] = rec.sampleData.row(c).data();
    std::mutex fileMutex;
    parallelFor(kParts, [&](int part) {
        const std::size_t from = n * static_cast<std::size_t>(part) / kParts;
        const std::size_t to = n * static_cast<std::size_t>(part + 1) / kParts;
        std::vector<std::int16_t> raw(std::min(to - from, kChunkSteps) * kSlots);
        for (std::size_t start = from; start < to; start += kChunkSteps) {
            const std::size_t steps = std::min(kChunkSteps, to - start);
            std::span<std::int16_t> chunk(raw.data(), steps * kSlots);
            {
                const std::lock_guard lock(fileMutex);
                file.i16Array(dataOffset + start * kSlots * 2, chunk);
            }
            for (std::size_t i = 0; i < steps; ++i) {
                const std::int16_t* step = chunk.data() + i * kSlots;
                for (int c = 0; c < kSlots; ++c)
                    rows[c][start + i] = static_cast<float>(step[c] * k[c]);
            }
        }
    });
}

Event readTremologChecked(ByteSource& file, UserInfo& userInfo,
                          std::optional<std::int32_t> maxSamples) {
    Event event;
    SampleRecord& rec = event.sample;
    const std::uint8_t flagA = file.u8(10);
    const std::uint8_t flagB = file.u8(11);
    const std::int16_t fourDigitYear = file.i16(30);
    rec.year = toByte(fourDigitYear % 100);
    rec.month = file.u8(32);
    rec.day = file.u8(33);
    rec.hour = file.u8(34);
    rec.minute = file.u8(35);
    rec.second = file.u8(36);
    const std::int32_t counter = file.i32(26);
    if (counter < std::numeric_limits<std::int16_t>::min() ||
        counter > std::numeric_limits<std::int16_t>::max())
        throwOverflow();
    rec.eventNumber = static_cast<std::int16_t>(counter % 9999);
    rec.instrumentSN = file.i16(12);
    rec.frq = file.i16(38);
    const std::int16_t wholeSeconds = file.i16(40);
    rec.nSecPerChannel = wholeSeconds;
    if (flagA != 0 && flagB != 0) {
        rec.nSamplesPerChannel = file.i32(166);
        rec.nSecPerChannel = toSingle(divide(rec.nSamplesPerChannel, rec.frq));
    } else {
        rec.nSamplesPerChannel = roundToLong(static_cast<double>(rec.nSecPerChannel) * rec.frq);
    }
    rec.pretrig = divide(file.i16(42), rec.frq);
    rec.sampleInterval = divide(1, rec.frq);
    const std::int32_t dataOffset = file.i32(158);
    const std::int32_t textOffset = file.i32(162);

    std::array<double, kSlots> k{};
    for (int c = 0; c < kSlots; ++c) event.channels[c].triggerLevel = file.f32(110 + 4 * c);
    for (int c = 0; c < kSlots; ++c) {
        const float numerator = file.f32(62 + 4 * c);
        const float denominator = file.f32(78 + 4 * c);
        k[c] = divide(numerator, denominator);
    }
    for (int c = 0; c < 3; ++c) {
        ChannelRecord& ch = event.channels[c];
        ch.unit = file.u8(58 + c);
        if (ch.unit == kUnitIps) {
            k[c] *= kInchesPerMm;
            ch.triggerLevel *= kInchesPerMm;
        }
    }
    ChannelRecord& mic = event.channels[3];
    if (file.u8(61) == kUnitPsi) {
        k[3] *= kPsiPerPa;
        mic.triggerLevel *= kPsiPerPa;
        mic.unit = kUnitPsi;
    } else {
        mic.unit = kUnitPa;
    }
    for (ChannelRecord& ch : event.channels) setDerivedUnits(ch);
    for (int c = 0; c < kSlots; ++c) event.channels[c].sensorKind = file.u8(46 + c);

    if (rec.nSamplesPerChannel <= 0) throwSubscript();
    if (dataOffset < 0 || textOffset < 0) throw Error(kErrBadRecordNumber, "Bad record number");
    if (rec.nSamplesPerChannel > maxDeclaredSamples(file.size(), dataOffset))
        throw Error(kErrProgram, "the header declares " + std::to_string(rec.nSamplesPerChannel) +
                                     " samples per channel, far more than the file holds");
    checkSampleCap(rec.nSamplesPerChannel, maxSamples);
    rec.sampleData = SampleMatrix(rec.nSamplesPerChannel, SampleMatrix::Init::Uninitialised);
    readSamples(file, static_cast<std::uint64_t>(dataOffset), k, rec);
    rec.samplesInFile = framesHeld(file.size(), static_cast<std::uint64_t>(dataOffset), 2 * kSlots,
                                   rec.nSamplesPerChannel);

    rec.dataLoaded = true;
    calcMinMax(rec);
    markChannelsWithoutSensor(event);
    rec.fileFormat = kFormatTremolog;
    rec.channelGroup = 1;
    userInfo =
        parseTremologTexts(file.bytes(static_cast<std::uint64_t>(textOffset), kTremologTextBytes));
    return event;
}

}  // namespace

Event readTremologFile(ByteSource& file, UserInfo& userInfo,
                       std::optional<std::int32_t> maxSamples) {
    try {
        return readTremologChecked(file, userInfo, maxSamples);
    } catch (const ReadFailed&) {
        throw;  // the device's fault, not the file's: not the reader's own refusal
    } catch (const Error& e) {
        throw ReadRejected(e.number(),
                           {"readdatafile " + std::to_string(e.number()) + "\r\n" + e.text()});
    } catch (const std::bad_alloc&) {
        throw ReadRejected(kErrOutOfMemory, {"readdatafile 7\r\nOut of memory"});
    }
}

}  // namespace krnz
