// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/workspace/workspace.h"

// The current event handed on to other tools: its active rows as shown (processed rows in the
// chain's units), as CSV text, a multi-channel float WAV file or MiniSEED records.
namespace krnz {

enum class ExportFormat { Csv, Wav4, MiniSeed };

// The format a file name asks for by its extension (".csv", ".wav", ".mseed" or ".miniseed", in
// any case); nullopt for any other.
std::optional<ExportFormat> exportFormatOfName(const std::filesystem::path& file);

// SEED codes of the exported traces. Geophones take the axes in `geophoneAxes` in slot order
// (the band and instrument "HH"), microphones "HDF", other sensors "HX" and a digit.
struct SeedCodes {
    std::string network = "XX";  // FDSN's code for data of no registered network
    std::string location;
    std::string geophoneAxes = "ZNE";
};

// The codes of section "export" of the general settings file (krnz.ini): "seedNetwork" (one or
// two capital letters or digits), "seedLocation" (none, one or two) and "seedGeophoneAxes" (the
// geophones' axis letters in slot order, three of Z, N, E, 1, 2, 3, each once). A value that is
// not such a code, or a missing file, keeps the default.
SeedCodes readSeedCodes(const std::filesystem::path& generalIni);

// Writes the export of the workspace's event in `format` to `file`, whole or not at all (the
// MiniSEED records with their JSON beside them). Throws krnz::Error naming the file.
void writeExport(const Workspace& workspace, ExportFormat format, const std::filesystem::path& file,
                 const SeedCodes& codes = {});

// One exported trace: the slot it comes from, its captions and its SEED channel code.
struct ExportChannel {
    int slot = 0;
    std::string caption;  // "Geo 1"
    std::string unit;     // the unit shown
    std::string seedChannel;
};

// The active slots (boxes checked) in slot order. Throws krnz::Error when no slot is active.
std::vector<ExportChannel> exportChannels(const Workspace& workspace, const SeedCodes& codes = {});

// "time,Geo 1 [mm/s],...", then a row per sample: the time in s from the trigger, then each
// channel; numbers in their shortest round-trip form.
std::string csvExport(const Workspace& workspace);

// A WAV file of one channel per active slot, 32-bit IEEE float samples in the rows' units at the
// recording's rate (CLng(frq)). Throws the overflow error when the sizes do not fit the 32-bit
// fields.
std::string wav4Export(const Workspace& workspace);

// MiniSEED 2 records of 4096 bytes, big-endian float32, one trace per active slot starting at
// the event's date and time minus the pretrigger; station = the instrument's SN.
std::string miniSeedExport(const Workspace& workspace, const SeedCodes& codes = {});

// What MiniSEED has no field for, for the JSON file beside the records: the event, and per
// trace its SEED codes, slot, caption and unit.
std::string miniSeedSidecar(const Workspace& workspace, const SeedCodes& codes = {});

}  // namespace krnz
