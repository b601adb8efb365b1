// The registry operations of the settings engine, over the registry port:
// a value tested against what an option expects, a value set and read back
// with its result line, a value or a subkey deleted. Keys are opened, never
// created, and closed again before each operation returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lang/languages.h"
#include "platform/registry.h"

// The outcome of a write: its code (0, 1, 3, 4 or 5) and the result line,
// "%s" standing for the written value's name.
struct WriteResult {
    std::int32_t code = 0;
    std::string line;
};

// The result line of a write in `language`: the code's text after `text`.
std::string WriteResultLine(std::int32_t code, std::string_view text, Language language);

// A value's text, read with read access into a buffer of 128 characters:
// the text up to its first zero. Nothing when the key or the value cannot be
// read, or the value is longer than the buffer.
std::optional<std::string> ReadRegistryText(IRegistry& registry, RegistryRoot root, std::string_view keyPath,
                                            std::string_view valueName);

// Whether the open key holds a value of that name (ignoring case), readable
// or not.
bool HasValueNamed(IRegistry& registry, RegKey key, std::string_view name);

class RegistryOps {
public:
    explicit RegistryOps(IRegistry& registry) : m_registry(registry) {}
    RegistryOps(const RegistryOps&) = delete;
    RegistryOps& operator=(const RegistryOps&) = delete;

    // 1: the value is present and equals the expected number or text;
    // 0: present and different (or a text test without an expected text);
    // 2: the key cannot be opened or the value cannot be read.
    std::int32_t TestValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                           std::uint32_t testType, std::uint32_t expectedNumber, const char* expectedText);

    // Whether the value is really not there: its key is absent, or the key
    // opens and holds no value of that name. A key that will not open, or a
    // value that cannot be read, is not absent.
    bool IsAbsent(RegistryRoot root, std::string_view keyPath, std::string_view valueName);

    // Sets a value in an existing key and reads it back. Returns 0 when the
    // value reads back as written, else 1; the result code and its line (in
    // Chinese, as the writer has always made it) are kept in LastWrite()
    // until the next write.
    std::int32_t WriteValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                            const std::uint8_t* data, std::uint32_t type, std::uint32_t size,
                            std::int32_t labelNumber);
    const WriteResult& LastWrite() const { return m_lastWrite; }

    // 0 when the value or subkey was deleted; 1 when the key could not be
    // opened or the delete failed.
    std::int32_t DeleteValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName);
    std::int32_t DeleteKey(RegistryRoot root, std::string_view parentPath, std::string_view subkey);

    // Why a value that a delete left behind is still there: 0 when it is
    // really not there (its key absent, or the key without it), else the
    // result code to report (1: the key would not open, for reading or for
    // writing; 3: the delete itself failed).
    std::int32_t WhyNotDeleted(RegistryRoot root, std::string_view keyPath, std::string_view valueName);
    // The same for a subkey that a delete left behind.
    std::int32_t WhyKeyNotDeleted(RegistryRoot root, std::string_view parentPath, std::string_view subkey);

private:
    IRegistry& m_registry;
    WriteResult m_lastWrite;
};
