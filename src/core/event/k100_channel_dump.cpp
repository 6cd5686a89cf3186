// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/k100_channel_dump.h"

#include <array>
#include <cmath>
#include <vector>

#include "core/common/error.h"
#include "core/common/text_encoding.h"
#include "core/common/value_format.h"
#include "core/event/byte_source.h"
#include "core/event/krn_reader.h"
#include "core/event/reader_common.h"

namespace krnz {
namespace {

constexpr std::uint64_t kSamplesOffset = 512;

void line(std::string& out, const std::string& text) {
    out += text;
    out += "\r\n";
}

}  // namespace

std::string k100ChannelDump(const std::filesystem::path& path,
                            const std::function<void(const std::string&)>& inform) {
    ByteSource file(path);
    const std::string tag = file.bytes(0, 8);
    if (tag[4] == '6') throw ReadRejected(0, {"function not yet implemented for K200-files"});
    if (tag[4] != '5') throw ReadRejected(0, {"bad filetype: " + printableTag(tag)});
    if (inform) inform(kConvertingChannelMessage);

    const KrnLayout layout = k100Layout();
    std::string out;
    line(out, "K100-file");
    // Read as the reader reads them, so that a header the reader would stop at stops the check
    // too; the values themselves are not part of the dump.
    (void)decodeBcd(file.u16(52), 4);
    (void)decodeBcd(file.u16(layout.eventNumberOffset), 4);

    const SensitivityField field = decodeSensitivityField(file.u16(layout.sensBase));
    line(out, "sens exp = " + std::to_string(field.exponent));
    line(out, "sens man = " + std::to_string(field.mantissa));
    line(out, "sens = " + textOf(field.sens));
    const int loHi = file.u8(layout.tableBase + layout.loHiInEntry);
    line(out, "loHi = " + std::to_string(loHi));
    double realSens = field.sens;
    if (loHi == 0) {
        realSens = field.sens * 10;
        line(out, "real_sens = sens*10 = " + textOf(realSens));
    }
    if (realSens == 0.0) throwDivisionByZero();
    line(out, "scale = 1/real_sens = " + textOf(1 / realSens));

    const int index = file.u8(44);
    line(out, "regLengthIndex = " + std::to_string(index));
    if (index > 4) throw ReadRejected(0, {"readDatafile: no such reglength"});
    const RecordLength& length = krnRecordLength(kFormatK100, index);
    line(out, "pretrig = " + textOf(length.pretrigS));
    line(out, "nSecPerChannel = " + textOfSingle(length.nSecPerChannel));
    line(out, "nSamplesPerChannel = " + std::to_string(length.nSamples));
    line(out, "frq = " + textOf(length.frqHz));
    line(out, "nSecPerChannel = " + textOfSingle(length.nSecPerChannel));

    const auto n = static_cast<std::size_t>(length.nSamples);
    std::vector<std::int16_t> raw(n * kSlots);
    file.i16Array(kSamplesOffset, raw);
    line(out, "");
    line(out, "time\tint\tscaled");

    const double step = static_cast<double>(length.nSecPerChannel) / length.nSamples;
    double t = -length.pretrigS;
    for (std::size_t i = 0; i < n; ++i) {
        const std::int16_t value = raw[kSlots * i];
        line(out, formatFixed(t, 5) + "\t" + std::to_string(value) + "\t" +
                      formatFixed(value / realSens, 4));
        t = t + step;
    }
    return out;
}

}  // namespace krnz
