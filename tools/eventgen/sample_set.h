// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace krnz::eventgen {

struct SampleFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The bundled sample events (data/samples), the same bytes on every run:
//   KRN00412.101 (+ .userinfo)  K100, record-length index 0
//   KRN00412.102                K100, index 3
//   KRN00412.103                K100, index 1, slot 1 without a sensor
//   KRN00206.021                K200, eight channels, index 1
//   KRN00206.022                K200, eight channels, index 0
//   blast_malmo.tremolog        1000 Hz, 4 s, Windows-1252 texts and a three-line free text
//   quarry_ips_psi.tremolog     2000 Hz, 5000 samples (length flags set), ips and psi,
//                               supplement and notes left empty
std::vector<SampleFile> makeSampleSet();

// Writes makeSampleSet() into `dir` (created when missing); returns the paths written.
std::vector<std::filesystem::path> writeSampleSet(const std::filesystem::path& dir);

}  // namespace krnz::eventgen
