// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace krnz::eventgen {

// The eight user-information texts of an event, in UTF-8. Line breaks in `freeText` may be
// written "\r\n" or "\n"; files store each as "~".
struct UserTexts {
    std::string client;
    std::string operation;
    std::string location;
    std::string operatorName;  // the "operator" field
    std::string notes;
    std::string company;
    std::string supplement;
    std::string freeText;
};

// Each line break of `text` ("\r\n" or a lone "\n") as "~".
std::string lineBreaksToTilde(const std::string& text);

// The ".userinfo" file beside a KRN event: section [general] with the keys client, operation,
// location, operator, notes, company, supplement, free; CR LF line ends; Windows-1252 bytes.
std::vector<std::uint8_t> makeUserInfoFile(const UserTexts& texts);

}  // namespace krnz::eventgen
