// The status check on the in-memory registry: which image every option gets
// for what the registry holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/memory_main_dlg.h"
#include "treeopts/state_image.h"

namespace {

using K = OptionKey;
using Bytes = std::vector<std::uint8_t>;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr RegistryRoot HKCR = RegistryRoot::ClassesRoot;

constexpr const char* kPlayerPrefs = "Software\\Microsoft\\MediaPlayer\\Preferences";
constexpr const char* kErrorReporting = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
constexpr const char* kTimeParameters = "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters";
constexpr const char* kAlexa =
    "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kMessengerServer = "CLSID\\{B69003B3-C55E-4b48-836C-BC5946FC3B28}\\LocalServer32";
constexpr const char* kSchedule = "SYSTEM\\CurrentControlSet\\Services\\Schedule";

// The check items with the plain rule, in tree order.
const std::vector<K> kStandardOptions = {
    K::NoLicenceAcquisition, K::NoPlayerIdentification, K::NoCodecDownload, K::NoErrorReporting,
    K::NoCriticalErrorReporting, K::NoRemoteAssistance, K::NoInternetTimeSync, K::NoIeUpdateCheck,
    K::NoIeScheduledUpdates, K::NoIntegratedAuth, K::DisableErrorReportingService,
    K::DisableAutoUpdateService, K::DisableTimeService};

class StatusCheckTest : public ::testing::Test {
protected:
    void SetUp() override { m.Build(); }

    // Every tested value holding the privacy setting, as written by Start,
    // and Messenger still installed and starting with Windows.
    void SwitchEverythingOff()
    {
        for (const char* name : {"SilentAcquisition", "SendUserGUID", "UpgradeCodecPrompt"})
            m.registry.Put(HKCU, kPlayerPrefs, name, kRegBinary, {0x00});
        m.registry.PutDword(HKLM, kErrorReporting, "DoReport", 0);
        m.registry.PutDword(HKLM, kErrorReporting, "ShowUI", 0);
        m.registry.PutDword(HKLM, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server", "fAllowToGetHelp", 0);
        m.registry.PutText(HKLM, kTimeParameters, "Type", "NoSync");
        m.registry.PutDword(HKCU, "Software\\Microsoft\\Internet Explorer\\Main", "NoUpdateCheck", 1);
        m.registry.PutDword(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck", "NoScheduledUpdates", 1);
        m.registry.PutDword(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                            "EnableNegotiate", 0);
        for (const char* service : {"ERSvc", "wuauserv", "W32Time"})
            m.registry.PutDword(HKLM, std::string("SYSTEM\\CurrentControlSet\\Services\\") + service, "Start", 4);
        m.registry.PutDword(HKLM, kSchedule, "Start", 4);
        InstallMessenger();
    }

    void InstallMessenger()
    {
        m.registry.PutText(HKCU, kRun, "MSMSGS", "\"C:\\Program Files\\Messenger\\msmsgs.exe\" /background");
        m.registry.PutText(HKCR, kMessengerServer, "", "C:\\Program Files\\Messenger\\msmsgs.exe");
    }

    int Check(K key)
    {
        m.dialog.CheckSystemStatus();
        return m.Image(key);
    }

    MemoryMainDlg m;
};

TEST_F(StatusCheckTest, FreshSystemWithNoneOfTheValues)
{
    m.dialog.CheckSystemStatus();
    for (K key : kStandardOptions)
        EXPECT_EQ(ImgActive, m.Image(key)) << CatalogueEntryOf(key).name;
    EXPECT_EQ(ImgDone, m.Image(K::RemoveAlexaEntry)) << "no extension key: already removed";
    EXPECT_EQ(ImgLocked, m.Image(K::DisableTaskSchedulerService));
    EXPECT_EQ(ImgTicked, m.Image(K::RemoveSupportUsers)) << "never tested";
    // No Messenger at all: no action is the only choice left.
    EXPECT_EQ(ImgRadioOn, m.Image(K::MessengerNoAction));
    EXPECT_EQ(ImgDone, m.Image(K::MessengerNoAutostart));
    EXPECT_EQ(ImgDone, m.Image(K::MessengerUninstall));
    EXPECT_EQ(ImgGroup, m.Image(K::MediaPlayerGroup));
    EXPECT_EQ(0u, m.registry.OpenKeyCount()) << "every key opened is closed again";
}

TEST_F(StatusCheckTest, SystemWithEverySettingAlreadyInEffect)
{
    SwitchEverythingOff();
    m.registry.PutText(HKLM, kAlexa, "Script", "C:\\alexa.htm");
    m.dialog.CheckSystemStatus();
    for (K key : kStandardOptions)
        EXPECT_EQ(ImgDone, m.Image(key)) << CatalogueEntryOf(key).name;
    EXPECT_EQ(ImgLocked, m.Image(K::RemoveAlexaEntry)) << "present, and the expert option is not enabled";
    EXPECT_EQ(ImgDone, m.Image(K::DisableTaskSchedulerService));
    EXPECT_EQ(ImgRadioOn, m.Image(K::MessengerNoAction));
    EXPECT_EQ(ImgRadioOff, m.Image(K::MessengerNoAutostart));
    EXPECT_EQ(ImgRadioOff, m.Image(K::MessengerUninstall));
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

TEST_F(StatusCheckTest, NumbersMustMatchExactly)
{
    EXPECT_EQ(ImgActive, Check(K::NoErrorReporting)) << "DoReport missing";
    m.registry.PutDword(HKLM, kErrorReporting, "DoReport", 1);
    EXPECT_EQ(ImgActive, Check(K::NoErrorReporting));
    m.registry.PutDword(HKLM, kErrorReporting, "DoReport", 0);
    EXPECT_EQ(ImgDone, Check(K::NoErrorReporting));
    // Too long for the 4-byte buffer: unreadable, so still active.
    m.registry.Put(HKLM, kErrorReporting, "DoReport", kRegDword, Bytes(8, 0));
    EXPECT_EQ(ImgActive, Check(K::NoErrorReporting));
    // Shorter data fills only the low bytes of a zeroed number.
    m.registry.Put(HKLM, kErrorReporting, "DoReport", kRegDword, {0, 0});
    EXPECT_EQ(ImgDone, Check(K::NoErrorReporting));
    m.registry.Put(HKLM, kErrorReporting, "DoReport", kRegDword, {});
    EXPECT_EQ(ImgDone, Check(K::NoErrorReporting));
    m.registry.Put(HKLM, "SYSTEM\\CurrentControlSet\\Services\\ERSvc", "Start", kRegDword, {4, 0});
    EXPECT_EQ(ImgDone, Check(K::DisableErrorReportingService));
    m.registry.Put(HKLM, "SYSTEM\\CurrentControlSet\\Services\\ERSvc", "Start", kRegDword, {4, 0, 0, 1});
    EXPECT_EQ(ImgActive, Check(K::DisableErrorReportingService));
}

TEST_F(StatusCheckTest, TimeSyncTextIsComparedCaseSensitively)
{
    const std::map<std::string, int> cases = {
        {std::string("NoSync\0", 7), ImgDone},
        {std::string("NoSync", 6), ImgDone},             // stored without its zero
        {std::string("NoSync\0junk", 11), ImgDone},      // bytes after the zero do not count
        {std::string("nosync\0", 7), ImgActive},
        {std::string("NoSyncX\0", 8), ImgActive},
        {std::string("Ntp\0", 4), ImgActive},
        {std::string(), ImgActive},
    };
    for (const auto& [stored, image] : cases) {
        m.registry.Put(HKLM, kTimeParameters, "Type", kRegSz, Bytes(stored.begin(), stored.end()));
        EXPECT_EQ(image, Check(K::NoInternetTimeSync)) << '"' << stored << '"';
    }
}

TEST_F(StatusCheckTest, PlayerValuesAreOffWhenTheyReadAsEmptyText)
{
    const std::vector<std::pair<Bytes, int>> cases = {
        {{0x00}, ImgDone}, {{}, ImgDone}, {{0x00, 0x01}, ImgDone}, {{0x01}, ImgActive}, {{'1', 0x00}, ImgActive},
        {Bytes(128, 0x00), ImgDone}, {Bytes(129, 0x00), ImgActive},  // over the buffer: unreadable
    };
    for (const auto& [stored, image] : cases) {
        m.registry.Put(HKCU, kPlayerPrefs, "SendUserGUID", kRegBinary, stored);
        EXPECT_EQ(image, Check(K::NoPlayerIdentification)) << stored.size() << " bytes";
    }
    // The stored type is not compared: an empty REG_SZ reads as empty text.
    m.registry.Put(HKCU, kPlayerPrefs, "SendUserGUID", kRegSz, {0x00});
    EXPECT_EQ(ImgDone, Check(K::NoPlayerIdentification));
}

TEST_F(StatusCheckTest, MissingMessengerValuesTakeAwayTheUsersRadioChoice)
{
    InstallMessenger();
    m.dialog.Tree().SelectRadio(m.dialog.Item(K::MessengerNoAutostart));
    m.dialog.CheckSystemStatus();
    EXPECT_EQ(ImgRadioOn, m.Image(K::MessengerNoAutostart)) << "present: the choice stands";
    EXPECT_EQ(ImgRadioOff, m.Image(K::MessengerNoAction));

    m.registry.RemoveTree(HKCU, kRun);
    m.dialog.CheckSystemStatus();
    EXPECT_EQ(ImgRadioOn, m.Image(K::MessengerNoAction));
    EXPECT_EQ(ImgDone, m.Image(K::MessengerNoAutostart));
    EXPECT_EQ(ImgRadioOff, m.Image(K::MessengerUninstall));

    // Once disabled, a radio stays so until the tree is built again.
    InstallMessenger();
    m.dialog.CheckSystemStatus();
    EXPECT_EQ(ImgDone, m.Image(K::MessengerNoAutostart));
    m.Build();
    m.dialog.CheckSystemStatus();
    EXPECT_EQ(ImgRadioOff, m.Image(K::MessengerNoAutostart));
}

TEST_F(StatusCheckTest, ExpertOptionsStayLockedUntilEnabled)
{
    m.registry.PutText(HKLM, kAlexa, "Script", "C:\\alexa.htm");
    m.registry.PutDword(HKLM, kSchedule, "Start", 2);
    for (int run = 0; run < 3; ++run) {
        m.dialog.CheckSystemStatus();
        EXPECT_EQ(ImgLocked, m.Image(K::RemoveAlexaEntry));
        EXPECT_EQ(ImgLocked, m.Image(K::DisableTaskSchedulerService));
    }
    // Enabled by the user (as the expert command does): the next check selects them.
    for (K key : {K::RemoveAlexaEntry, K::DisableTaskSchedulerService})
        m.dialog.Tree().SetCheckEnabled(m.dialog.Item(key), 1);
    m.dialog.CheckSystemStatus();
    EXPECT_EQ(ImgActive, m.Image(K::RemoveAlexaEntry));
    EXPECT_EQ(ImgActive, m.Image(K::DisableTaskSchedulerService));

    // Switched off meanwhile: done, whether enabled or not.
    m.registry.RemoveTree(HKLM, kAlexa);
    m.registry.PutDword(HKLM, kSchedule, "Start", 4);
    m.dialog.CheckSystemStatus();
    EXPECT_EQ(ImgDone, m.Image(K::RemoveAlexaEntry));
    EXPECT_EQ(ImgDone, m.Image(K::DisableTaskSchedulerService));
}

TEST_F(StatusCheckTest, UserChoicesOnTestedItemsAreReplaced)
{
    m.dialog.CheckSystemStatus();
    const TreeItem item = m.dialog.Item(K::NoIntegratedAuth);
    m.dialog.Tree().SetCheckState(item, 0);
    ASSERT_EQ(ImgUnticked, m.Image(K::NoIntegratedAuth));
    EXPECT_EQ(ImgActive, Check(K::NoIntegratedAuth));
    BOOL ticked = 0;
    EXPECT_TRUE(m.dialog.Tree().IsChecked(item, ticked));
    EXPECT_EQ(1, ticked);
}

TEST_F(StatusCheckTest, HomeEditionAndAnEmptyTreeAreHandled)
{
    m.Build(1);
    m.dialog.CheckSystemStatus();
    EXPECT_EQ(nullptr, m.dialog.Item(K::RemoveSupportUsers));
    EXPECT_EQ(ImgActive, m.Image(K::NoErrorReporting));

    // Before any build there are no items to set: nothing happens.
    MemoryMainDlg unbuilt;
    unbuilt.dialog.CheckSystemStatus();
    EXPECT_EQ(nullptr, unbuilt.tree->GetChildItem(nullptr));
}

TEST_F(StatusCheckTest, TestRegistryValueResults)
{
    CMainDlg& d = m.dialog;
    m.registry.PutText(HKCU, "Software\\T", "Text", "abc");
    m.registry.PutDword(HKCU, "Software\\T", "Number", 7);
    EXPECT_EQ(2, d.TestRegistryValue(HKCU, "Software\\Missing", "Text", kRegSz, 0, nullptr));
    EXPECT_EQ(2, d.TestRegistryValue(HKCU, "Software\\T", "Missing", kRegSz, 0, nullptr));
    EXPECT_EQ(0, d.TestRegistryValue(HKCU, "Software\\T", "Text", kRegSz, 0, nullptr)) << "present";
    EXPECT_EQ(1, d.TestRegistryValue(HKCU, "Software\\T", "Text", kRegSz, 0, "abc"));
    EXPECT_EQ(0, d.TestRegistryValue(HKCU, "Software\\T", "Text", kRegSz, 0, "ABC"));
    EXPECT_EQ(1, d.TestRegistryValue(HKCU, "Software\\T", "Number", kRegDword, 7, nullptr));
    EXPECT_EQ(0, d.TestRegistryValue(HKCU, "Software\\T", "Number", kRegDword, 8, nullptr));
    EXPECT_EQ(0, d.TestRegistryValue(HKCU, "Software\\T", "Number", kRegMultiSz, 7, nullptr))
        << "an unknown test type reads nothing";
    m.registry.PutText(HKCU, "Software\\T", "Longer", "abcd");
    EXPECT_EQ(2, d.TestRegistryValue(HKCU, "Software\\T", "Longer", kRegDword, 0, nullptr))
        << "5 characters do not fit a 4-byte number";
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

// Whatever any tested value holds, the check ends in one of its results and
// never reads outside the data (run under the sanitizers).
TEST_F(StatusCheckTest, ArbitraryStoredDataNeverBreaksTheCheck)
{
    struct Place {
        RegistryRoot root;
        const char* key;
        const char* value;
    };
    std::vector<Place> places;
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.binding.keyPath)
            places.push_back({entry.binding.root, entry.binding.keyPath, entry.binding.valueName});

    Bytes junk(4096);
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<std::uint8_t>(i * 131 + 7);
    const std::vector<Bytes> payloads = {
        {}, {0}, {0xFF}, {'N', 'o', 'S'}, {1, 2, 3}, Bytes(127, 'x'), Bytes(128, 'x'), Bytes(129, 'x'),
        junk, {0xE5, 0x81}, {0xF0, 0x9F, 0x98}, Bytes(4, 0),
    };
    for (std::uint32_t type : std::vector<std::uint32_t>{kRegNone, kRegSz, kRegBinary, kRegDword, kRegMultiSz, 0xFFFF}) {
        for (const Bytes& payload : payloads) {
            for (const Place& place : places)
                m.registry.Put(place.root, place.key, place.value, type, payload);
            m.Build();
            m.dialog.CheckSystemStatus();
            for (K key : kStandardOptions) {
                const int image = m.Image(key);
                EXPECT_TRUE(image == ImgDone || image == ImgActive) << CatalogueEntryOf(key).name << ' ' << image;
            }
            for (K key : {K::RemoveAlexaEntry, K::DisableTaskSchedulerService}) {
                const int image = m.Image(key);
                EXPECT_TRUE(image == ImgDone || image == ImgLocked) << CatalogueEntryOf(key).name << ' ' << image;
            }
            EXPECT_EQ(ImgRadioOn, m.Image(K::MessengerNoAction));
            EXPECT_EQ(0u, m.registry.OpenKeyCount());
        }
    }
}

}  // namespace
