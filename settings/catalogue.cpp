#include "settings/catalogue.h"

namespace {

using K = OptionKey;
using Kind = OptionKind;
using S = InitialState;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr RegistryRoot HKCR = RegistryRoot::ClassesRoot;

// A label from the string table; its text id is not used.
constexpr OptionLabel Row(int offset) { return {offset, TextId{}}; }
constexpr OptionLabel OwnLabel(TextId text) { return {-1, text}; }
constexpr RegistryBinding kNoBinding{RegistryRoot::None, nullptr, nullptr, kRegNone};
constexpr Availability kAll = Availability::AllEditions;

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

constexpr const char kPlayerPrefs[] = "Software\\Microsoft\\MediaPlayer\\Preferences";
constexpr const char kErrorReporting[] = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";

constexpr CatalogueEntry Group(OptionKey key, const char* name, OptionLabel label)
{
    return {key, name, Kind::Group, key, label, S::Expanded, kAll, kNoBinding, kNothing, kNotTested, kLeave, -1};
}

// Each row: the option, its place and label, how it starts, where it is
// offered; the value behind it; then what Start, the status check and the
// restore do with it, and the label number of its writes.
constexpr std::array<CatalogueEntry, kOptionCount> kCatalogue{{
    Group(K::MediaPlayerGroup, "MediaPlayerGroup", Row(0)),
        {K::NoLicenceAcquisition, "NoLicenceAcquisition", Kind::Check, K::MediaPlayerGroup, Row(1), S::Checked, kAll,
         {HKCU, kPlayerPrefs, "SilentAcquisition", kRegBinary}, kWriteZeroByte, kOffWhenEmpty, kRestoreByDeleting, 0},
        {K::NoPlayerIdentification, "NoPlayerIdentification", Kind::Check, K::MediaPlayerGroup, Row(2), S::Checked, kAll,
         {HKCU, kPlayerPrefs, "SendUserGUID", kRegBinary}, kWriteZeroByte, kOffWhenEmpty, kRestoreByDeleting, 1},
        {K::NoCodecDownload, "NoCodecDownload", Kind::Check, K::MediaPlayerGroup, Row(3), S::Checked, kAll,
         {HKCU, kPlayerPrefs, "UpgradeCodecPrompt", kRegBinary}, kWriteZeroByte, kOffWhenEmpty, kRestoreByDeleting, 2},
    Group(K::ErrorReportingGroup, "ErrorReportingGroup", Row(4)),
        {K::NoErrorReporting, "NoErrorReporting", Kind::Check, K::ErrorReportingGroup, Row(5), S::Checked, kAll,
         {HKLM, kErrorReporting, "DoReport", kRegDword}, Write(0), OffWhen(0), Restore(1), 3},
        {K::NoCriticalErrorReporting, "NoCriticalErrorReporting", Kind::Check, K::ErrorReportingGroup, Row(6), S::Checked, kAll,
         {HKLM, kErrorReporting, "ShowUI", kRegDword}, Write(0), OffWhen(0), Restore(1), 4},
    Group(K::MiscGroup, "MiscGroup", OwnLabel(TextId::MiscGroupLabel)),
        {K::NoRemoteAssistance, "NoRemoteAssistance", Kind::Check, K::MiscGroup, Row(7), S::Checked, kAll,
         {HKLM, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server", "fAllowToGetHelp", kRegDword},
         Write(0), OffWhen(0), Restore(1), 5},
        {K::NoInternetTimeSync, "NoInternetTimeSync", Kind::Check, K::MiscGroup, Row(11), S::Checked, kAll,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters", "Type", kRegSz},
         WriteText("NoSync"), OffWhenText("NoSync"), RestoreText("Ntp"), 8},
        {K::RemoveSupportUsers, "RemoveSupportUsers", Kind::Check, K::MiscGroup, Row(21), S::Checked, Availability::NotHomeEdition,
         kNoBinding, Do(ApplyAction::OpenUserManager), kNotTested, kLeave, -1},
        {K::RemoveAlexaEntry, "RemoveAlexaEntry", Kind::Check, K::MiscGroup, Row(26), S::ExpertLocked, kAll,
         {HKLM, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}", "Script", kRegSz},
         Do(ApplyAction::DeleteKey), When(StatusRule::ExpertGone), kLeave, -1},
    Group(K::InternetExplorerGroup, "InternetExplorerGroup", Row(8)),
        {K::NoIeUpdateCheck, "NoIeUpdateCheck", Kind::Check, K::InternetExplorerGroup, Row(10), S::Checked, kAll,
         {HKCU, "Software\\Microsoft\\Internet Explorer\\Main", "NoUpdateCheck", kRegDword},
         Write(1), OffWhen(1), Restore(0), 7},
        {K::NoIeScheduledUpdates, "NoIeScheduledUpdates", Kind::Check, K::InternetExplorerGroup, Row(9), S::Checked, kAll,
         {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck", "NoScheduledUpdates", kRegDword},
         Write(1), OffWhen(1), Restore(0), 6},
        {K::NoIntegratedAuth, "NoIntegratedAuth", Kind::Check, K::InternetExplorerGroup, Row(12), S::Checked, kAll,
         {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "EnableNegotiate", kRegDword},
         Write(0), OffWhen(0), Restore(1), 9},
    Group(K::ServicesGroup, "ServicesGroup", Row(14)),
        {K::DisableErrorReportingService, "DisableErrorReportingService", Kind::Check, K::ServicesGroup, Row(15), S::Checked, kAll,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\ERSvc", "Start", kRegDword}, Write(4), OffWhen(4), Restore(2), 11},
        {K::DisableAutoUpdateService, "DisableAutoUpdateService", Kind::Check, K::ServicesGroup, Row(16), S::Checked, kAll,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\wuauserv", "Start", kRegDword}, Write(4), OffWhen(4), Restore(2), 12},
        {K::DisableTimeService, "DisableTimeService", Kind::Check, K::ServicesGroup, Row(17), S::Checked, kAll,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time", "Start", kRegDword}, Write(4), OffWhen(4), Restore(2), 13},
        {K::DisableTaskSchedulerService, "DisableTaskSchedulerService", Kind::Check, K::ServicesGroup, Row(25), S::ExpertLocked, kAll,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\Schedule", "Start", kRegDword},
         Write(4), When(StatusRule::ExpertEqual, 4), Restore(2), 13},
    Group(K::MessengerGroup, "MessengerGroup", Row(18)),
        {K::MessengerNoAction, "MessengerNoAction", Kind::Radio, K::MessengerGroup, OwnLabel(TextId::MessengerNoActionLabel), S::Selected, kAll,
         kNoBinding, kNothing, kNotTested, kLeave, -1},
        {K::MessengerNoAutostart, "MessengerNoAutostart", Kind::Radio, K::MessengerGroup, Row(19), S::NotSelected, kAll,
         {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "MSMSGS", kRegSz},
         Do(ApplyAction::DeleteValue), When(StatusRule::MessengerGone), kLeave, -1},
        {K::MessengerUninstall, "MessengerUninstall", Kind::Radio, K::MessengerGroup, Row(20), S::NotSelected, kAll,
         {HKCR, "CLSID\\{B69003B3-C55E-4b48-836C-BC5946FC3B28}\\LocalServer32", "", kRegSz},
         Do(ApplyAction::RemoveMessenger), When(StatusRule::MessengerGone), kLeave, -1},
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

}  // namespace

const std::array<CatalogueEntry, kOptionCount>& Catalogue() { return kCatalogue; }

const CatalogueEntry& CatalogueEntryOf(OptionKey key) { return kCatalogue[static_cast<std::size_t>(key)]; }

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
