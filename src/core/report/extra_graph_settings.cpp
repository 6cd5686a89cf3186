// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/extra_graph_settings.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/common/leading_number.h"
#include "core/common/value_format.h"
#include "core/settings/ini_document.h"
#include "core/settings/ini_values.h"

namespace krnz::report {
namespace {

constexpr const char* kSection = "general";

// Width and height are whole twips (Long); a value that does not fit one keeps the default
// rather than failing the window's load.
double longValue(const settings::IniDocument& ini, const char* key, double fallback) {
    const double v = roundHalfEven(val(ini.get(kSection, key, settings::iniText(fallback))));
    if (!(v >= std::numeric_limits<std::int32_t>::min() &&
          v <= std::numeric_limits<std::int32_t>::max()))
        return fallback;
    return v;
}

// Left and top are Singles.
double singleValue(const settings::IniDocument& ini, const char* key, double fallback) {
    const auto v = static_cast<float>(val(ini.get(kSection, key, settings::iniText(fallback))));
    return std::isfinite(v) ? static_cast<double>(v) : fallback;
}

}  // namespace

ExtraGraphSettings readExtraGraphIni(const std::filesystem::path& file,
                                     const std::optional<settings::WindowGeometry>& workArea) {
    const settings::IniDocument ini = settings::IniDocument::load(file);
    ExtraGraphSettings s;
    const settings::WindowGeometry defaults = s.geometry;
    s.standard = ini.get(kSection, "standard", s.standard);
    s.geometry.width = longValue(ini, "sizeWidth", defaults.width);
    s.geometry.height = longValue(ini, "sizeHeight", defaults.height);
    s.geometry.left = singleValue(ini, "sizeLeft", defaults.left);
    s.geometry.top = singleValue(ini, "sizeTop", defaults.top);
    if (workArea) s.geometry = settings::placeWindow(s.geometry, *workArea);
    return s;
}

void savePPVZXsettings(const std::filesystem::path& file, const ExtraGraphSettings& settings) {
    settings::IniDocument ini = settings::IniDocument::load(file);
    ini.set(kSection, "standard", settings.standard);
    ini.set(kSection, "sizeLeft", settings::iniText(static_cast<float>(settings.geometry.left)));
    ini.set(kSection, "sizeTop", settings::iniText(static_cast<float>(settings.geometry.top)));
    ini.set(kSection, "sizeWidth",
            settings::iniText(static_cast<std::int32_t>(roundHalfEven(settings.geometry.width))));
    ini.set(kSection, "sizeHeight",
            settings::iniText(static_cast<std::int32_t>(roundHalfEven(settings.geometry.height))));
    if (ini.modified()) ini.save();
}

}  // namespace krnz::report
