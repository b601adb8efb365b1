// What the system being changed says of itself: its product name and its
// edition, and the two on one line, for the checks of the start-up and the
// reports of the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lang/languages.h"
#include "platform/registry.h"
#include "platform/version_info.h"

enum class WindowsEdition {
    Unknown,       // the version query failed
    Home,          // the personal suite and single-user terminal services
    Professional,  // single-user terminal services alone
    Other,         // any other suite mask
};

WindowsEdition EditionOf(const IVersionInfo& version);

// The system's product name ("Microsoft Windows XP"), read with `access`;
// nothing when it cannot be read.
std::optional<std::string> ProductName(IRegistry& registry, std::uint32_t access = kKeyRead);

// Whether a product name names Windows XP, as the start-up's check reads
// it: every letter of "Microsoft Windows XP", in turn, occurs in the name.
bool NamesWindowsXp(std::string_view name);

// The product name and edition on one line in `language`, such as
// "Microsoft Windows XP (edition: Professional)".
std::string SystemDescription(IRegistry& registry, const IVersionInfo& version, Language language);
