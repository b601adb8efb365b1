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
#include "settings/text.h"

// Stops the run when `holds` is false: the reader broke a promise.
inline void Require(bool holds, const char* promise)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

// A UTF-8 text of up to `maxCharacters` UTF-16 units: mostly the characters
// of registry paths and addresses, then any other, converted as the port
// converts every stored text (a lone surrogate becomes U+FFFD).
inline std::string FuzzedText(FuzzedDataProvider& data, std::size_t maxCharacters)
{
    static constexpr char16_t kCommon[] = u"0123456789abcAZ .,:;-_=@\\\"'[]{}#\t\r\n\0";
    std::u16string units;
    const std::size_t count = data.ConsumeIntegralInRange<std::size_t>(0, maxCharacters);
    while (units.size() < count && data.remaining_bytes() > 0)
        units += data.ConsumeBool() ? data.PickValueInArray(kCommon) : data.ConsumeIntegral<char16_t>();
    return Utf16ToUtf8(units);
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
