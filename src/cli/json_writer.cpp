// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json_writer.h"

#include "core/common/value_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace krnz::cli {

std::string jsonNumber(double number) {
    if (!std::isfinite(number)) return "null";  // JSON has no infinities
    return shortestText(number);
}

void JsonWriter::separate() {
    if (m_needComma) m_out += ',';
    m_needComma = true;
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    m_out += '{';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    m_out += '}';
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    m_out += '[';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    m_out += ']';
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    m_out += ':';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    m_out += '"';
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                m_out += "\\\"";
                break;
            case '\\':
                m_out += "\\\\";
                break;
            case '\n':
                m_out += "\\n";
                break;
            case '\r':
                m_out += "\\r";
                break;
            case '\t':
                m_out += "\\t";
                break;
            default:
                if (b < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", b);
                    m_out += esc;
                } else {
                    m_out += ch;
                }
        }
    }
    m_out += '"';
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    separate();
    m_out += jsonNumber(number);
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number) {
    separate();
    m_out += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    separate();
    m_out += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    m_out += "null";
    return *this;
}

}  // namespace krnz::cli
