#include "settings/catalogue.h"

namespace {

using K = OptionKey;
using Kind = OptionKind;
using S = InitialState;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr RegistryRoot HKCR = RegistryRoot::ClassesRoot;

constexpr OptionLabel Row(int offset) { return {offset, nullptr, nullptr}; }
constexpr RegistryBinding kNoBinding{RegistryRoot::None, nullptr, nullptr, kRegNone};

constexpr const char kPlayerPrefs[] = "Software\\Microsoft\\MediaPlayer\\Preferences";
constexpr const char kErrorReporting[] = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";

constexpr std::array<CatalogueEntry, kOptionCount> kCatalogue{{
    {K::MediaPlayerGroup, "MediaPlayerGroup", Kind::Group, K::MediaPlayerGroup, Row(0), S::Expanded, Edition::All, kNoBinding},
        {K::NoLicenceAcquisition, "NoLicenceAcquisition", Kind::Check, K::MediaPlayerGroup, Row(1), S::Checked, Edition::All,
         {HKCU, kPlayerPrefs, "SilentAcquisition", kRegBinary}},
        {K::NoPlayerIdentification, "NoPlayerIdentification", Kind::Check, K::MediaPlayerGroup, Row(2), S::Checked, Edition::All,
         {HKCU, kPlayerPrefs, "SendUserGUID", kRegBinary}},
        {K::NoCodecDownload, "NoCodecDownload", Kind::Check, K::MediaPlayerGroup, Row(3), S::Checked, Edition::All,
         {HKCU, kPlayerPrefs, "UpgradeCodecPrompt", kRegBinary}},
    {K::ErrorReportingGroup, "ErrorReportingGroup", Kind::Group, K::ErrorReportingGroup, Row(4), S::Expanded, Edition::All, kNoBinding},
        {K::NoErrorReporting, "NoErrorReporting", Kind::Check, K::ErrorReportingGroup, Row(5), S::Checked, Edition::All,
         {HKLM, kErrorReporting, "DoReport", kRegDword}},
        {K::NoCriticalErrorReporting, "NoCriticalErrorReporting", Kind::Check, K::ErrorReportingGroup, Row(6), S::Checked, Edition::All,
         {HKLM, kErrorReporting, "ShowUI", kRegDword}},
    {K::MiscGroup, "MiscGroup", Kind::Group, K::MiscGroup, {-1, "Diverse", "雜項         "}, S::Expanded, Edition::All, kNoBinding},
        {K::NoRemoteAssistance, "NoRemoteAssistance", Kind::Check, K::MiscGroup, Row(7), S::Checked, Edition::All,
         {HKLM, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server", "fAllowToGetHelp", kRegDword}},
        {K::NoInternetTimeSync, "NoInternetTimeSync", Kind::Check, K::MiscGroup, Row(11), S::Checked, Edition::All,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters", "Type", kRegSz}},
        {K::RemoveSupportUsers, "RemoveSupportUsers", Kind::Check, K::MiscGroup, Row(21), S::Checked, Edition::NotHome, kNoBinding},
        {K::RemoveAlexaEntry, "RemoveAlexaEntry", Kind::Check, K::MiscGroup, Row(26), S::ExpertLocked, Edition::All,
         {HKLM, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}", "Script", kRegSz}},
    {K::InternetExplorerGroup, "InternetExplorerGroup", Kind::Group, K::InternetExplorerGroup, Row(8), S::Expanded, Edition::All, kNoBinding},
        {K::NoIeUpdateCheck, "NoIeUpdateCheck", Kind::Check, K::InternetExplorerGroup, Row(10), S::Checked, Edition::All,
         {HKCU, "Software\\Microsoft\\Internet Explorer\\Main", "NoUpdateCheck", kRegDword}},
        {K::NoIeScheduledUpdates, "NoIeScheduledUpdates", Kind::Check, K::InternetExplorerGroup, Row(9), S::Checked, Edition::All,
         {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck", "NoScheduledUpdates", kRegDword}},
        {K::NoIntegratedAuth, "NoIntegratedAuth", Kind::Check, K::InternetExplorerGroup, Row(12), S::Checked, Edition::All,
         {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "EnableNegotiate", kRegDword}},
    {K::ServicesGroup, "ServicesGroup", Kind::Group, K::ServicesGroup, Row(14), S::Expanded, Edition::All, kNoBinding},
        {K::DisableErrorReportingService, "DisableErrorReportingService", Kind::Check, K::ServicesGroup, Row(15), S::Checked, Edition::All,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\ERSvc", "Start", kRegDword}},
        {K::DisableAutoUpdateService, "DisableAutoUpdateService", Kind::Check, K::ServicesGroup, Row(16), S::Checked, Edition::All,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\wuauserv", "Start", kRegDword}},
        {K::DisableTimeService, "DisableTimeService", Kind::Check, K::ServicesGroup, Row(17), S::Checked, Edition::All,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time", "Start", kRegDword}},
        {K::DisableTaskSchedulerService, "DisableTaskSchedulerService", Kind::Check, K::ServicesGroup, Row(25), S::ExpertLocked, Edition::All,
         {HKLM, "SYSTEM\\CurrentControlSet\\Services\\Schedule", "Start", kRegDword}},
    {K::MessengerGroup, "MessengerGroup", Kind::Group, K::MessengerGroup, Row(18), S::Expanded, Edition::All, kNoBinding},
        {K::MessengerNoAction, "MessengerNoAction", Kind::Radio, K::MessengerGroup, {-1, "Keine Aktion", "無動作   "}, S::Selected, Edition::All, kNoBinding},
        {K::MessengerNoAutostart, "MessengerNoAutostart", Kind::Radio, K::MessengerGroup, Row(19), S::NotSelected, Edition::All,
         {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "MSMSGS", kRegSz}},
        {K::MessengerUninstall, "MessengerUninstall", Kind::Radio, K::MessengerGroup, Row(20), S::NotSelected, Edition::All,
         {HKCR, "CLSID\\{B69003B3-C55E-4b48-836C-BC5946FC3B28}\\LocalServer32", "", kRegSz}},
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
