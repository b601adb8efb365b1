// What the fuzz harnesses share: a check that ends the run with its reason
// (libFuzzer then saves the input that broke it), and fuzzed registry data
// shaped as the registry port hands it out.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/registry.h"

// Stops the run when `holds` is false: the reader broke a promise.
inline void Require(bool holds, const char* promise)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

// A UTF-8 text of up to `maxCharacters` characters: mostly the characters
// of registry paths and addresses, then any other, as the port converts
// every stored UTF-16 text to valid UTF-8.
inline std::string FuzzedText(FuzzedDataProvider& data, std::size_t maxCharacters)
{
    static constexpr char kCommon[] = "0123456789abcAZ .,:;-_=@\\\"'[]{}#\t\r\n\0";
    std::string text;
    const std::size_t count = data.ConsumeIntegralInRange<std::size_t>(0, maxCharacters);
    for (std::size_t i = 0; i < count && data.remaining_bytes() > 0; ++i) {
        if (data.ConsumeBool()) {
            text += kCommon[data.ConsumeIntegralInRange<std::size_t>(0, sizeof kCommon - 1)];
            continue;
        }
        std::uint32_t code = data.ConsumeIntegralInRange<std::uint32_t>(0, 0x10FFFF);
        if (code >= 0xD800 && code <= 0xDFFF)
            code = 0xFFFD;  // a lone surrogate has no UTF-8 form
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += static_cast<char>(0xE0 | code >> 12);
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | code >> 18);
            text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

// The text without its zero characters, as a name or a control's text is:
// Windows ends them at the first.
inline std::string WithoutZeros(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

// A value of any type and length: texts as the port gives them (UTF-8, with
// or without their zero, zeros inside), everything else as raw bytes.
inline RegistryValue FuzzedValue(FuzzedDataProvider& data)
{
    static constexpr std::uint32_t kTypes[] = {kRegNone, kRegSz, kRegExpandSz, kRegBinary, kRegDword, kRegMultiSz};
    RegistryValue value;
    value.type = data.ConsumeBool() ? data.PickValueInArray(kTypes) : data.ConsumeIntegral<std::uint32_t>();
    if (IsTextType(value.type)) {
        const std::string text = FuzzedText(data, 200);
        value.data.assign(text.begin(), text.end());
        if (data.ConsumeBool())
            value.data.push_back(0);
    } else {
        value.data = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, 300));
    }
    return value;
}
