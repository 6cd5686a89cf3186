// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/common/slots.h"

namespace krnz {

enum FileFormat : std::int32_t {
    kFormatNone = 0,
    kFormatK100 = 5,
    kFormatK200 = 6,
    kFormatTremolog = 7
};

// Per displayed slot (0..3): what the sensor is and how its numbers convert.
struct ChannelRecord {
    std::uint8_t sensorKind = 0;  // 0 "Off" (no sensor) .. 4 "AC"
    std::uint8_t unit = 0;        // code into the unit-name table; 19 "undef" when no sensor
    std::uint8_t diffUnit = 0;
    std::uint8_t integUnit = 0;
    double diffScale = 0.0;   // derivative in unit/s -> diffUnit
    double integScale = 0.0;  // integral in unit*s -> integUnit
    double sens = 0.0;        // KRN raw counts per unit after the gain range; reading only
    double triggerLevel = 0.0;
    std::uint8_t loHi = 0;  // KRN gain-range byte; reading only
};

void* allocateSampleBuffer(std::size_t bytes);
void freeSampleBuffer(void* p, std::size_t bytes);

// Allocator for large sample buffers: leaves floats uninitialised (readers write every one) and
// asks for huge pages, which spares a long event hundreds of thousands of page faults.
template <class T>
struct SampleAllocator {
    using value_type = T;
    SampleAllocator() = default;
    template <class U>
    SampleAllocator(const SampleAllocator<U>&) {}
    T* allocate(std::size_t n);
    void deallocate(T* p, std::size_t n) { freeSampleBuffer(p, n * sizeof(T)); }
    template <class U>
    void construct(U* p) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    bool operator==(const SampleAllocator&) const = default;
};

template <class T>
T* SampleAllocator<T>::allocate(std::size_t n) {
    return static_cast<T*>(allocateSampleBuffer(n * sizeof(T)));
}

// Samples in engineering units, one row per slot. Rows are stored one after the other (not
// interleaved as in the files) so that each per-channel pass streams one contiguous block.
class SampleMatrix {
  public:
    enum class Init { Zero, Uninitialised };

    SampleMatrix() = default;
    explicit SampleMatrix(std::int32_t samplesPerRow, Init init = Init::Zero) : m_n(samplesPerRow) {
        const std::size_t size = static_cast<std::size_t>(samplesPerRow) * kSlots;
        if (init == Init::Zero) {
            m_data.assign(size, 0.0f);
        } else {
            m_data.resize(size);
        }
    }

    std::int32_t samplesPerRow() const { return m_n; }
    bool empty() const { return m_data.empty(); }
    std::span<float> row(int slot) { return {m_data.data() + offset(slot), rowSize()}; }
    std::span<const float> row(int slot) const { return {m_data.data() + offset(slot), rowSize()}; }
    float& operator()(int slot, std::int32_t i) {
        return m_data[offset(slot) + static_cast<std::size_t>(i)];
    }
    float operator()(int slot, std::int32_t i) const {
        return m_data[offset(slot) + static_cast<std::size_t>(i)];
    }

  private:
    std::size_t rowSize() const { return static_cast<std::size_t>(m_n); }
    std::size_t offset(int slot) const { return static_cast<std::size_t>(slot) * rowSize(); }

    std::int32_t m_n = 0;
    std::vector<float, SampleAllocator<float>> m_data;
};

// The event header, its samples and the per-slot results of the peak scan and measurements.
struct SampleRecord {
    std::int32_t fileFormat = kFormatNone;
    std::int32_t channelGroup = 1;  // 1: file channels 1-4 in the slots, 2: channels 5-8
    std::int16_t instrumentSN = 0;
    std::int16_t eventNumber = 0;
    std::uint8_t year = 0;  // two digits: 0..80 -> 2000..2080, 81..99 -> 1981..1999
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t regLengthIndex = 0;
    std::int32_t nSecPerChannelIndex = 0;
    float nSecPerChannel = 0.0f;
    std::int32_t nSamplesPerChannel = 0;
    double frq = 0.0;             // Hz
    double pretrig = 0.0;         // s; sample i lies at i * sampleInterval - pretrig
    double sampleInterval = 0.0;  // s
    SampleMatrix sampleData;
    // Leading samples of every channel that came from the file; the rest of each row is 0
    // because the file ends early (a lost power supply, a cut copy). None: not read from a file.
    std::optional<std::int32_t> samplesInFile;
    bool dataLoaded = false;
    std::array<bool, kSlots> channelOff{};

    // Peak scan (calcMinMax).
    std::array<float, kSlots> chMax{};
    std::array<float, kSlots> chMin{};
    std::array<std::int32_t, kSlots> chMaxIndex{};
    std::array<std::int32_t, kSlots> chMinIndex{};
    float allMax = 0.0f;
    float allMin = 0.0f;

    // Measurements and the operator chain's bookkeeping.
    double vectorMaxTime = 0.0;
    std::array<std::int16_t, kSlots> curUnit{};
    std::array<bool, kSlots> rmsFlag{};
    std::array<std::vector<double>, kSlots> highAmps;     // mm/s
    std::array<std::vector<double>, kSlots> highAmpFrqs;  // Hz
};

// The eight user texts that belong to an event. Free text keeps its line breaks as CR LF.
struct UserInfo {
    std::string client;
    std::string operation;
    std::string location;
    std::string operatorName;  // "operator"
    std::string notes;
    std::string company;
    std::string supplement;
    std::string freeText;

    bool operator==(const UserInfo&) const = default;
};

struct Event {
    SampleRecord sample;
    std::array<ChannelRecord, kSlots> channels;
};

// Peak scan: per-slot extremes and their first indices, and the extremes over all slots.
void calcMinMax(SampleRecord& rec);

// The unit a slot's numbers are in: after the operator chain ran (processed) the chain's unit,
// otherwise the file's. Every face names a row's unit through this.
inline int displayedUnit(const Event& event, bool processed, int slot) {
    const auto s = static_cast<std::size_t>(slot);
    return processed ? event.sample.curUnit[s] : event.channels[s].unit;
}

// File channel number (1..8) shown in a slot.
inline int fileChannelOfSlot(const SampleRecord& rec, int slot) {
    return (rec.channelGroup - 1) * kSlots + slot + 1;
}

}  // namespace krnz
