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

// What a value tested against an option's expectation is: present and
// equal, present and different (or a text test without an expected text),
// or not to be read (the key will not open or the value cannot be read).
// The numbers are the dialog's registry test results.
enum class TestResult : std::int32_t { Differs = 0, Equals = 1, Unreadable = 2 };

// How a write (or a delete) ended; the numbers are the registry writer's
// result codes.
enum class WriteCode : std::int32_t {
    Done = 0,
    CannotOpenKey = 1,
    CannotSet = 3,
    CannotReadBack = 4,
    ReadBackDiffers = 5,
};

// The result line of a write in `language`: the code's text after `text`.
std::string WriteResultLine(WriteCode code, std::string_view text, Language language);

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

    IRegistry& Registry() { return m_registry; }

    TestResult TestValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                           std::uint32_t testType, std::uint32_t expectedNumber, const char* expectedText);

    // Whether the value is really not there: its key is absent, or the key
    // opens and holds no value of that name. A key that will not open, or a
    // value that cannot be read, is not absent.
    bool IsAbsent(RegistryRoot root, std::string_view keyPath, std::string_view valueName);

    // Sets a value in an existing key and reads it back: Done when it reads
    // back as written.
    WriteCode WriteValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                         const std::uint8_t* data, std::uint32_t type, std::uint32_t size);

    // Whether the value or subkey was deleted: false when the key could not
    // be opened or the delete failed.
    bool DeleteValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName);
    bool DeleteKey(RegistryRoot root, std::string_view parentPath, std::string_view subkey);

    // Why a value that a delete left behind is still there: Done when it is
    // really not there (its key absent, or the key without it); CannotOpenKey
    // when the key would not open, for reading or for writing; CannotSet
    // when the delete itself failed.
    WriteCode WhyNotDeleted(RegistryRoot root, std::string_view keyPath, std::string_view valueName);
    // The same for a subkey that a delete left behind.
    WriteCode WhyKeyNotDeleted(RegistryRoot root, std::string_view parentPath, std::string_view subkey);

private:
    IRegistry& m_registry;
};
