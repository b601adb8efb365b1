#include "settings/catalogue.h"

namespace {

constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr RegistryRoot HKCR = RegistryRoot::ClassesRoot;

// A label from the string table; its text id is not used.
constexpr OptionLabel Row(int offset) { return {offset, TextId{}}; }
constexpr OptionLabel OwnLabel(TextId text) { return {-1, text}; }
constexpr RegistryBinding Bound(RegistryRoot root, const char* key, const char* value, RegistryType type)
{
    return {root, key, value, type};
}
constexpr RegistryBinding kNoBinding{RegistryRoot::None, nullptr, nullptr, kRegNone};
constexpr Availability kAll = Availability::AllEditions;
constexpr Availability kNotHomeEdition = Availability::NotHomeEdition;

// What Start does.
constexpr ApplyStep Write(std::uint32_t number) { return {ApplyAction::WriteNumber, number, nullptr}; }
constexpr ApplyStep WriteText(const char* text) { return {ApplyAction::WriteText, 0, text}; }
constexpr ApplyStep Do(ApplyAction action) { return {action, 0, nullptr}; }
constexpr ApplyStep kWriteZeroByte = Do(ApplyAction::WriteZeroByte);
constexpr ApplyStep kNothing = Do(ApplyAction::None);

// When the status check finds the option off already.
constexpr StatusTest OffWhen(std::uint32_t number) { return {StatusRule::Equal, number, nullptr}; }
constexpr StatusTest OffWhenText(const char* text) { return {StatusRule::Equal, 0, text}; }
constexpr StatusTest When(StatusRule rule, std::uint32_t number = 0) { return {rule, number, nullptr}; }
// A Media Player value is off when it reads as the empty text: empty, or
// beginning with the byte 0x00.
constexpr StatusTest kOffWhenEmpty = OffWhenText("");
constexpr StatusTest kNotTested = When(StatusRule::NotTested);

// What the restore of the defaults does.
constexpr RestoreStep Restore(std::uint32_t number) { return {RestoreAction::WriteNumber, number, nullptr}; }
constexpr RestoreStep RestoreText(const char* text) { return {RestoreAction::WriteText, 0, text}; }
constexpr RestoreStep kRestoreByDeleting{RestoreAction::DeleteValue, 0, nullptr};
constexpr RestoreStep kLeave{RestoreAction::Leave, 0, nullptr};

// The policies that govern a feature.
constexpr Governance kNoPolicy{};
constexpr PolicyValue Policy(RegistryRoot root, const char* key, const char* value, RegistryType type,
                             const char* forcesOn, const char* forcesOff, TextId place)
{
    return {root, key, value, type, forcesOn, forcesOff, place};
}
template <typename... Values>
constexpr Governance Governed(Values... values)
{
    static_assert(sizeof...(Values) <= std::tuple_size_v<decltype(Governance::values)>);
    return {{values...}, sizeof...(Values)};
}

constexpr int Out = kOutOfPass;
constexpr PassPlaces Places(int apply, int status, int restore) { return {apply, status, restore}; }

constexpr const char kPlayerPrefs[] = "Software\\Microsoft\\MediaPlayer\\Preferences";
constexpr const char kErrorReporting[] = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
// The keys of the policies, from Microsoft's administrative templates for
// Windows XP SP2 and SP3.
constexpr const char kPlayerPolicy[] = "Software\\Policies\\Microsoft\\WindowsMediaPlayer";
constexpr const char kErrorReportingPolicy[] = "Software\\Policies\\Microsoft\\PCHealth\\ErrorReporting";
constexpr const char kInfodeliveryPolicy[] =
    "Software\\Policies\\Microsoft\\Internet Explorer\\Infodelivery\\Restrictions";
constexpr const char kMessengerPolicy[] = "Software\\Policies\\Microsoft\\Messenger\\Client";

constexpr std::array<CatalogueEntry, kOptionCount> kCatalogue{{
#define GROUP(key, label)                                                                                       \
    {OptionKey::key, #key, OptionKind::Group, OptionKey::key, label, InitialState::Expanded, kAll, kNoBinding, \
     kNothing, kNotTested, kLeave, -1, Places(Out, Out, Out), kNoPolicy},
#define OPTION(key, kind, parent, label, initial, offered, binding, apply, status, restore, labelNumber, places, \
               policy)                                                                                         \
    {OptionKey::key, #key, OptionKind::kind, OptionKey::parent, label, InitialState::initial, offered, binding,  \
     apply, status, restore, labelNumber, places, policy},
#include "settings/catalogue.inc"
#undef GROUP
#undef OPTION
}};

// The table is indexed by key; this keeps the two in step.
constexpr bool KeysMatchPositions()
{
    for (std::size_t i = 0; i < kCatalogue.size(); ++i)
        if (static_cast<std::size_t>(kCatalogue[i].key) != i)
            return false;
    return true;
}
static_assert(KeysMatchPositions(), "catalogue rows must stand in OptionKey order");

constexpr std::size_t CountIn(Pass pass)
{
    std::size_t count = 0;
    for (const CatalogueEntry& entry : kCatalogue)
        count += entry.places.In(pass) != kOutOfPass;
    return count;
}

// Each place of a pass is held by exactly one option.
constexpr bool PlacesAreSound(Pass pass)
{
    for (std::size_t place = 0; place < CountIn(pass); ++place) {
        std::size_t holders = 0;
        for (const CatalogueEntry& entry : kCatalogue)
            holders += entry.places.In(pass) == static_cast<int>(place);
        if (holders != 1)
            return false;
    }
    return true;
}
static_assert(PlacesAreSound(Pass::Apply) && PlacesAreSound(Pass::Status) && PlacesAreSound(Pass::Restore),
              "each place in a pass's order must be held by one option");

template <Pass pass>
constexpr std::array<OptionKey, CountIn(pass)> OrderOfPass()
{
    std::array<OptionKey, CountIn(pass)> order{};
    for (const CatalogueEntry& entry : kCatalogue)
        if (const int place = entry.places.In(pass); place != kOutOfPass)
            order[static_cast<std::size_t>(place)] = entry.key;
    return order;
}

constexpr auto kApplyOrder = OrderOfPass<Pass::Apply>();
constexpr auto kStatusOrder = OrderOfPass<Pass::Status>();
constexpr auto kRestoreOrder = OrderOfPass<Pass::Restore>();

}  // namespace

const std::array<CatalogueEntry, kOptionCount>& Catalogue() { return kCatalogue; }

const CatalogueEntry& CatalogueEntryOf(OptionKey key) { return kCatalogue[static_cast<std::size_t>(key)]; }

std::span<const OptionKey> OrderOf(Pass pass)
{
    switch (pass) {
    case Pass::Apply:
        return kApplyOrder;
    case Pass::Status:
        return kStatusOrder;
    case Pass::Restore:
        break;
    }
    return kRestoreOrder;
}

Scope ScopeOf(OptionKey key)
{
    const CatalogueEntry& entry = CatalogueEntryOf(key);
    return entry.binding.root == RegistryRoot::CurrentUser || entry.parent == OptionKey::MediaPlayerGroup
               ? Scope::User
               : Scope::Machine;
}

const char* WriteLabel(std::int32_t labelNumber)
{
    for (const CatalogueEntry& entry : kCatalogue)
        if (labelNumber >= 0 && entry.labelNumber == labelNumber)
            return entry.binding.valueName;
    return "";
}
