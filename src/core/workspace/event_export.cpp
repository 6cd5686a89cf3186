// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_export.h"

#include <libmseed.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/analysis/panel_texts.h"
#include "core/common/error.h"
#include "core/common/value_format.h"
#include "core/event/units.h"
#include "core/report/page_header.h"
#include "core/settings/atomic_file.h"
#include "core/settings/ini_document.h"
#include "core/settings/ini_text.h"

namespace krnz {
namespace {

constexpr int kSeedRecordBytes = 4096;
constexpr int kSensorMicrophone = 4;
constexpr int kSensorGeophone = 1;

void putLe(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void copyCode(char (&field)[11], const std::string& code) {
    std::strncpy(field, code.c_str(), sizeof field - 1);
    field[sizeof field - 1] = '\0';
}

void appendRecord(char* record, int length, void* out) {
    static_cast<std::string*>(out)->append(record, static_cast<std::size_t>(length));
}

}  // namespace

std::vector<ExportChannel> exportChannels(const Workspace& workspace, const SeedCodes& codes) {
    std::vector<ExportChannel> channels;
    std::size_t geophones = 0;
    int others = 0;
    for (int c = 0; c < kSlots; ++c) {
        if (!workspace.isActive(c)) continue;
        ExportChannel channel;
        channel.slot = c;
        channel.caption = channelCaption(workspace.event(), c);
        channel.unit = unitName(workspace.displayedUnit(c));
        const int kind = workspace.event().channels[static_cast<std::size_t>(c)].sensorKind;
        if (kind == kSensorMicrophone) {
            channel.seedChannel = "HDF";
        } else if (kind == kSensorGeophone && geophones < codes.geophoneAxes.size()) {
            channel.seedChannel = std::string("HH") + codes.geophoneAxes[geophones++];
        } else {
            channel.seedChannel = "HX" + std::to_string(++others);
        }
        channels.push_back(std::move(channel));
    }
    if (channels.empty()) throw Error(kErrProgram, "the event has no channel shown to export");
    return channels;
}

std::string csvExport(const Workspace& workspace) {
    const std::vector<ExportChannel> channels = exportChannels(workspace);
    const SampleRecord& rec = workspace.event().sample;
    std::string out = "time";
    for (const ExportChannel& c : channels) out += "," + c.caption + " [" + c.unit + "]";
    out += '\n';
    for (std::int32_t i = 0; i < rec.nSamplesPerChannel; ++i) {
        out += shortestText(i * rec.sampleInterval - rec.pretrig);
        for (const ExportChannel& c : channels) {
            out += ',';
            out += shortestText(rec.sampleData(c.slot, i));
        }
        out += '\n';
    }
    return out;
}

std::string wav4Export(const Workspace& workspace) {
    const std::vector<ExportChannel> channels = exportChannels(workspace);
    const SampleRecord& rec = workspace.event().sample;
    const std::int32_t rate = cLng(rec.frq);
    if (rate < 1) throw Error(kErrInvalidProcedureCall, "Invalid procedure call or argument");
    const std::uint64_t frames = static_cast<std::uint64_t>(rec.nSamplesPerChannel);
    const std::uint64_t blockAlign = 4 * channels.size();
    const std::uint64_t dataBytes = frames * blockAlign;
    constexpr std::uint64_t kHeaderAfterRiff = 4 + 26 + 12 + 8;  // WAVE, fmt, fact, data head
    if (kHeaderAfterRiff + dataBytes > std::numeric_limits<std::uint32_t>::max() ||
        static_cast<std::uint64_t>(rate) * blockAlign > std::numeric_limits<std::uint32_t>::max())
        throwOverflow();

    std::string out;
    out.reserve(static_cast<std::size_t>(8 + kHeaderAfterRiff + dataBytes));
    out += "RIFF";
    putLe(out, kHeaderAfterRiff + dataBytes, 4);
    out += "WAVEfmt ";
    putLe(out, 18, 4);
    putLe(out, 3, 2);  // IEEE float
    putLe(out, channels.size(), 2);
    putLe(out, static_cast<std::uint64_t>(rate), 4);
    putLe(out, static_cast<std::uint64_t>(rate) * blockAlign, 4);
    putLe(out, blockAlign, 2);
    putLe(out, 32, 2);
    putLe(out, 0, 2);  // no extension
    out += "fact";     // every format but PCM states its length in frames
    putLe(out, 4, 4);
    putLe(out, frames, 4);
    out += "data";
    putLe(out, dataBytes, 4);
    for (std::int32_t i = 0; i < rec.nSamplesPerChannel; ++i)
        for (const ExportChannel& c : channels)
            putLe(out, std::bit_cast<std::uint32_t>(rec.sampleData(c.slot, i)), 4);
    return out;
}

std::string miniSeedExport(const Workspace& workspace, const SeedCodes& codes) {
    const std::vector<ExportChannel> channels = exportChannels(workspace, codes);
    const SampleRecord& rec = workspace.event().sample;
    const report::EventDate date = report::eventDate(rec);
    int dayOfYear = 0;
    if (ms_md2doy(date.year, date.month, date.day, &dayOfYear) != 0)
        throw Error(kErrProgram, "the event's date cannot be written to MiniSEED");
    const hptime_t start =
        ms_time2hptime(date.year, dayOfYear, rec.hour, rec.minute, rec.second, 0) -
        static_cast<hptime_t>(std::llround(rec.pretrig * HPTMODULUS));

    std::string out;
    for (const ExportChannel& c : channels) {
        // libmseed packs from a buffer it may not write to; a copy keeps the event untouched.
        const std::span<const float> row = rec.sampleData.row(c.slot);
        std::vector<float> samples(row.begin(), row.end());
        MSRecord* msr = msr_init(nullptr);
        if (!msr) throw std::bad_alloc();
        copyCode(msr->network, codes.network);
        copyCode(msr->station, std::to_string(rec.instrumentSN));
        copyCode(msr->location, codes.location);
        copyCode(msr->channel, c.seedChannel);
        msr->dataquality = 'D';
        msr->starttime = start;
        msr->samprate = rec.frq;
        msr->reclen = kSeedRecordBytes;
        msr->encoding = DE_FLOAT32;
        msr->byteorder = 1;
        msr->sampletype = 'f';
        msr->datasamples = samples.data();
        msr->numsamples = static_cast<int64_t>(samples.size());
        int64_t packed = 0;
        const int records = msr_pack(msr, appendRecord, &out, &packed, 1, 0);
        msr->datasamples = nullptr;  // ours, not libmseed's to free
        msr_free(&msr);
        if (records < 0 || packed != static_cast<int64_t>(samples.size()))
            throw Error(kErrProgram, "the samples of " + c.caption + " could not be packed");
    }
    return out;
}

std::string miniSeedSidecar(const Workspace& workspace, const SeedCodes& codes) {
    const SampleRecord& rec = workspace.event().sample;
    std::string out = "{\"instrumentSN\":" + std::to_string(rec.instrumentSN) +
                      ",\"eventNumber\":" + std::to_string(rec.eventNumber) +
                      ",\"dateTime\":" + jsonText(report::isoDateTime(rec)) + ",\"pretrig\":";
    out += shortestText(rec.pretrig);
    out += ",\"processed\":" + std::string(workspace.processed() ? "true" : "false");
    out += ",\"traces\":[";
    bool first = true;
    for (const ExportChannel& c : exportChannels(workspace, codes)) {
        out += first ? "" : ",";
        first = false;
        out += "{\"network\":" + jsonText(codes.network) +
               ",\"station\":" + jsonText(std::to_string(rec.instrumentSN)) +
               ",\"location\":" + jsonText(codes.location) +
               ",\"channel\":" + jsonText(c.seedChannel) + ",\"slot\":" + std::to_string(c.slot) +
               ",\"caption\":" + jsonText(c.caption) + ",\"unit\":" + jsonText(c.unit) + "}";
    }
    return out + "]}\n";
}

std::optional<ExportFormat> exportFormatOfName(const std::filesystem::path& file) {
    const std::string extension = settings::upperText(file.extension().string());
    if (extension == ".CSV") return ExportFormat::Csv;
    if (extension == ".WAV") return ExportFormat::Wav4;
    if (extension == ".MSEED" || extension == ".MINISEED") return ExportFormat::MiniSeed;
    return std::nullopt;
}

SeedCodes readSeedCodes(const std::filesystem::path& generalIni) {
    SeedCodes codes;
    const settings::IniDocument file = settings::IniDocument::load(generalIni);
    const auto isCode = [](const std::string& text, std::size_t most) {
        return text.size() <= most && std::all_of(text.begin(), text.end(), [](char c) {
                   return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
               });
    };
    const std::string network = file.get("export", "seedNetwork", codes.network);
    if (!network.empty() && isCode(network, 2)) codes.network = network;
    const std::string location = file.get("export", "seedLocation", codes.location);
    if (isCode(location, 2)) codes.location = location;
    std::string axes = file.get("export", "seedGeophoneAxes", codes.geophoneAxes);
    const bool distinct =
        axes.size() == 3 && axes[0] != axes[1] && axes[0] != axes[2] && axes[1] != axes[2];
    if (distinct && axes.find_first_not_of("ZNE123") == std::string::npos)
        codes.geophoneAxes = axes;
    return codes;
}

void writeExport(const Workspace& workspace, ExportFormat format, const std::filesystem::path& file,
                 const SeedCodes& codes) {
    switch (format) {
        case ExportFormat::Csv:
            settings::writeFileAtomically(file, csvExport(workspace));
            return;
        case ExportFormat::Wav4:
            settings::writeFileAtomically(file, wav4Export(workspace));
            return;
        case ExportFormat::MiniSeed: {
            // MiniSEED has no field for the unit or the event number: they go beside it.
            // A sidecar left describing other records would mislabel them: both or neither.
            std::filesystem::path sidecar = file;
            sidecar += ".json";
            const settings::FileContent both[] = {{file, miniSeedExport(workspace, codes)},
                                                  {sidecar, miniSeedSidecar(workspace, codes)}};
            settings::writeFilesAtomically(both);
            return;
        }
    }
}

}  // namespace krnz
