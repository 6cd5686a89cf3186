// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/samples_in_file.h"

#include <algorithm>

namespace krnz {
namespace {

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::int32_t samplesInFile(const SampleRecord& rec) {
    return std::min(rec.samplesInFile.value_or(rec.nSamplesPerChannel), rec.nSamplesPerChannel);
}

bool isTruncated(const SampleRecord& rec) {
    return samplesInFile(rec) < rec.nSamplesPerChannel;
}

std::string truncationNotice(const SampleRecord& rec, const TextLookup& texts) {
    if (!isTruncated(rec)) return {};
    std::string notice = texts.text("krn", "truncated");
    replaceAll(notice, "{held}", groupThousands(samplesInFile(rec)));
    replaceAll(notice, "{total}", groupThousands(rec.nSamplesPerChannel));
    return notice;
}

std::string groupThousands(std::int64_t n) {
    const std::string digits =
        std::to_string(n < 0 ? -static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n));
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return n < 0 ? "-" + grouped : grouped;
}

}  // namespace krnz
