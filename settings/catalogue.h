// The catalogue: the fixed list of options the tool offers, in tree order,
// with every fact about each: its label and initial state, the registry
// value behind it, what Start does, what the status check compares and
// what the restore of the defaults does. Runtime state (item handles,
// images) lives in the tree, not here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "lang/texts.h"
#include "platform/registry_types.h"

enum class OptionKey {
#define GROUP(key, ...) key,
#define OPTION(key, ...) key,
#include "settings/catalogue.inc"
#undef GROUP
#undef OPTION
};

// One for each row.
inline constexpr std::size_t kOptionCount = 0
#define GROUP(...) +1
#define OPTION(...) +1
#include "settings/catalogue.inc"
#undef GROUP
#undef OPTION
    ;

enum class OptionKind { Group, Check, Radio };

enum class InitialState {
    Expanded,     // group
    Checked,      // check item, ticked and enabled
    ExpertLocked, // check item, unticked and locked until the expert command
    Selected,     // radio, the chosen one
    NotSelected,  // radio
};

// Where the option is offered: on every edition, or not on the home edition.
enum class Availability { AllEditions, NotHomeEdition };

// A label is either the string table row (language base + offset), or,
// where no row exists, a text of its own.
struct OptionLabel {
    int offset;  // -1 for a label of its own
    TextId literal;
};

// The registry value whose state the option reflects. For RemoveAlexaEntry
// the key is the extension's subkey, which the option deletes as a whole.
struct RegistryBinding {
    RegistryRoot root;
    const char* keyPath;
    const char* valueName;
    RegistryType type;
};

// What Start does for the option when it is selected.
enum class ApplyAction {
    None,             // a group, or the radio that keeps Messenger as it is
    WriteNumber,      // the bound REG_DWORD: `number`
    WriteZeroByte,    // the bound REG_BINARY: the one byte 0x00
    WriteText,        // the bound REG_SZ: `text` and its zero
    DeleteValue,      // the bound value
    DeleteKey,        // the bound key, as a subkey of its parent
    RemoveMessenger,  // runs the Messenger uninstaller
    OpenUserManager,  // opens the console in which a person removes the support accounts
};

struct ApplyStep {
    ApplyAction action;
    std::uint32_t number;
    const char* text;
};

// How the status check tells that the option is switched off already.
enum class StatusRule {
    NotTested,
    Equal,            // the bound value equals `number`, or as text equals `text` (case counts)
    ExpertEqual,      // the same, for an expert option: it stays locked until the expert command
    ExpertGone,       // an expert option, off when its value is absent
    MessengerGone,    // a Messenger radio: when its value is absent it can no longer be chosen
};

struct StatusTest {
    StatusRule rule;
    std::uint32_t number;
    const char* text;  // null: a text value counts as present, whatever it holds
};

// What the restore of the Windows defaults does with the bound value.
enum class RestoreAction {
    Leave,
    WriteNumber,  // `number` as REG_DWORD
    WriteText,    // `text` and its zero as REG_SZ
    DeleteValue,
};

struct RestoreStep {
    RestoreAction action;
    std::uint32_t number;
    const char* text;
};

// A Group Policy value that governs an option's feature: Windows reads it
// before the preference the option writes. `forcesOn` and `forcesOff` list
// the data by which it keeps the feature on or off: numbers of a REG_DWORD,
// texts of a REG_SZ (case ignored), separated by '|'; null for none. Data of
// another type, or data not listed, decides nothing: the preference holds.
struct PolicyValue {
    RegistryRoot root;
    const char* keyPath;
    const char* valueName;
    RegistryType type;
    const char* forcesOn;
    const char* forcesOff;
    TextId place;  // where gpedit shows it, below the computer's or the user's configuration
};

// The policy values of an option, in the order Windows reads them: the
// first that decides holds.
struct Governance {
    std::array<PolicyValue, 4> values{};
    std::size_t count = 0;

    std::span<const PolicyValue> Values() const { return {values.data(), count}; }
};

// The passes that walk the options, each in an order of its own.
enum class Pass { Apply, Status, Restore };

// An option's place in the order of each pass, from 0; kOutOfPass where
// the pass leaves it out.
inline constexpr int kOutOfPass = -1;
struct PassPlaces {
    int apply;
    int status;
    int restore;

    constexpr int In(Pass pass) const { return pass == Pass::Apply ? apply : pass == Pass::Status ? status : restore; }
};

// Every fact about one option. Each pass walks the options in its own
// order (their places) and reads here what to do with each.
struct CatalogueEntry {
    OptionKey key;
    const char* name;
    OptionKind kind;
    OptionKey parent;  // groups name themselves
    OptionLabel label;
    InitialState initial;
    Availability availability;
    RegistryBinding binding;
    ApplyStep apply;
    StatusTest status;
    RestoreStep restore;
    // The number of the write's label in a result line of the registry
    // writer (the label is the bound value's name); -1 where nothing is written.
    std::int32_t labelNumber;
    PassPlaces places;
    Governance policy;
};

// The value the start-up's check reads that belongs to no option: the
// system's product name.
inline constexpr RegistryBinding kProductNameValue{RegistryRoot::LocalMachine,
                                                   "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName",
                                                   kRegSz};

// Whose setting an option changes: one user's (HKCU; the Media Player run
// too, which makes the user's player settings) or the whole machine's.
enum class Scope { User, Machine };
Scope ScopeOf(OptionKey key);

// All options in tree order: each group followed by its children.
const std::array<CatalogueEntry, kOptionCount>& Catalogue();
const CatalogueEntry& CatalogueEntryOf(OptionKey key);

// The options `pass` walks, in its order.
std::span<const OptionKey> OrderOf(Pass pass);

// An expert option: built unticked and locked, selectable only after the
// expert command.
inline bool IsExpertOption(const CatalogueEntry& entry) { return entry.initial == InitialState::ExpertLocked; }

// The value a write's label number names in a result line: the bound value
// of the option with that number; empty for a number no option has.
const char* WriteLabel(std::int32_t labelNumber);
