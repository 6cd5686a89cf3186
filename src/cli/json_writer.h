// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace krnz::cli {

// A small streaming JSON writer. Numbers are written in their shortest round-trip form, so
// that a reader gets back the very double the program computed.
class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(double number);
    JsonWriter& value(std::int64_t number);
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(bool flag);
    JsonWriter& null();
    JsonWriter& value(std::optional<double> number) { return number ? value(*number) : null(); }

    const std::string& str() const { return m_out; }

  private:
    void separate();

    std::string m_out;
    bool m_needComma = false;
};

std::string jsonNumber(double number);

}  // namespace krnz::cli
