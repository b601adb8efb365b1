// The catalogue: the fixed list of options the tool offers, in tree order,
// with their labels, initial states and the registry value behind each.
// Runtime state (item handles, images) lives in the tree, not here.
#pragma once

#include <array>
#include <cstddef>

#include "platform/registry_types.h"

enum class OptionKey {
    MediaPlayerGroup,
    NoLicenceAcquisition,
    NoPlayerIdentification,
    NoCodecDownload,
    ErrorReportingGroup,
    NoErrorReporting,
    NoCriticalErrorReporting,
    MiscGroup,
    NoRemoteAssistance,
    NoInternetTimeSync,
    RemoveSupportUsers,
    RemoveAlexaEntry,
    InternetExplorerGroup,
    NoIeUpdateCheck,
    NoIeScheduledUpdates,
    NoIntegratedAuth,
    ServicesGroup,
    DisableErrorReportingService,
    DisableAutoUpdateService,
    DisableTimeService,
    DisableTaskSchedulerService,
    MessengerGroup,
    MessengerNoAction,
    MessengerNoAutostart,
    MessengerUninstall,
};

inline constexpr std::size_t kOptionCount = 25;

enum class OptionKind { Group, Check, Radio };

enum class InitialState {
    Expanded,     // group
    Checked,      // check item, ticked and enabled
    ExpertLocked, // check item, unticked and locked until the expert command
    Selected,     // radio, the chosen one
    NotSelected,  // radio
};

enum class Edition { All, NotHome };

// A label is either the string table row (language base + offset), or,
// where no row exists, a literal per language.
struct OptionLabel {
    int offset;  // -1 for a literal label
    const char* german;
    const char* chinese;
};

// The registry value whose state the option reflects. For RemoveAlexaEntry
// the key is the extension's subkey, which the option deletes as a whole.
struct RegistryBinding {
    RegistryRoot root;
    const char* keyPath;
    const char* valueName;
    RegistryType type;
};

struct CatalogueEntry {
    OptionKey key;
    const char* name;
    OptionKind kind;
    OptionKey parent;  // groups name themselves
    OptionLabel label;
    InitialState initial;
    Edition edition;
    RegistryBinding binding;
};

// The value the start-up's check reads that belongs to no option: the
// system's product name.
inline constexpr RegistryBinding kProductNameValue{RegistryRoot::LocalMachine,
                                                   "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName",
                                                   kRegSz};

// All options in tree order: each group followed by its children.
const std::array<CatalogueEntry, kOptionCount>& Catalogue();
const CatalogueEntry& CatalogueEntryOf(OptionKey key);
