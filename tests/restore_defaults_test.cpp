// Restoring the Windows defaults, and the expert and recommended selections.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/memory_main_dlg.h"
#include "treeopts/state_image.h"

namespace {

using K = OptionKey;
using Bytes = std::vector<std::uint8_t>;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;

constexpr const char* kPlayerPrefs = "Software\\Microsoft\\MediaPlayer\\Preferences";
const std::string kQuestion =
    "恢復所有設定值表示，所有功能都會「恢復」為剛安裝完 Windows XP 時的初始狀態。\n"
    "這並不會影響 MS Messenger Alexa 與 MS 支援使用者，因此您必須手動將它們刪除。\n"
    "您要繼續嗎？" + std::string(84, ' ');
const std::string kDone = "已恢復為初始設定值！        ";

struct Expected {
    RegistryRoot root;
    const char* key;
    const char* value;
    Bytes data;
};

// The fourteen values the restore writes, with the data it writes.
const std::vector<Expected> kWrites = {
    {HKLM, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting", "DoReport", {1, 0, 0, 0}},
    {HKLM, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting", "ShowUI", {1, 0, 0, 0}},
    {HKLM, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server", "fAllowToGetHelp", {1, 0, 0, 0}},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck", "NoScheduledUpdates", {0, 0, 0, 0}},
    {HKCU, "Software\\Microsoft\\Internet Explorer\\Main", "NoUpdateCheck", {0, 0, 0, 0}},
    {HKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters", "Type", {'N', 't', 'p', 0}},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "EnableNegotiate", {1, 0, 0, 0}},
    {HKLM, "SYSTEM\\CurrentControlSet\\Services\\ERSvc", "Start", {2, 0, 0, 0}},
    {HKLM, "SYSTEM\\CurrentControlSet\\Services\\wuauserv", "Start", {2, 0, 0, 0}},
    {HKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time", "Start", {2, 0, 0, 0}},
    {HKLM, "SYSTEM\\CurrentControlSet\\Services\\Schedule", "Start", {2, 0, 0, 0}},
};

class RestoreDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override { m.Build(); }

    // A system where every restored value exists and holds something else.
    void SystemWithOtherValues()
    {
        for (const Expected& write : kWrites)
            m.registry.Put(write.root, write.key, write.value, kRegDword, {9, 9, 9, 9});
        for (const char* name : {"SilentAcquisition", "SendUserGUID", "UpgradeCodecPrompt"})
            m.registry.Put(HKCU, kPlayerPrefs, name, kRegBinary, {0});
    }

    const std::vector<MemoryPrompt::Shown>& Boxes() const { return m.prompt.History(); }

    MemoryMainDlg m;
};

TEST_F(RestoreDefaultsTest, CancelWritesNothing)
{
    SystemWithOtherValues();
    m.prompt.Answer(kAnswerCancel);
    m.dialog.OnResetSystemStatus();
    ASSERT_EQ(1u, Boxes().size());
    EXPECT_EQ(kQuestion, Boxes()[0].text);
    EXPECT_EQ(1u, Boxes()[0].flags);
    for (const Expected& write : kWrites)
        EXPECT_EQ((Bytes{9, 9, 9, 9}), m.registry.Get(write.root, write.key, write.value)->data) << write.key;
    EXPECT_TRUE(m.registry.Get(HKCU, kPlayerPrefs, "SendUserGUID"));
}

TEST_F(RestoreDefaultsTest, OkWritesTheDefaultsAndDeletesThePlayerValues)
{
    SystemWithOtherValues();
    m.dialog.CheckSystemStatus();
    const int shownBefore = m.Image(K::NoErrorReporting);
    // The restore ignores the tree: unchecked items are restored too.
    m.dialog.Tree().SetCheckState(m.dialog.Item(K::NoIeUpdateCheck), 0);
    m.prompt.Answer(kAnswerOk);
    m.dialog.OnResetSystemStatus();

    for (const Expected& write : kWrites) {
        const auto stored = m.registry.Get(write.root, write.key, write.value);
        ASSERT_TRUE(stored) << write.key;
        EXPECT_EQ(write.data, stored->data) << write.key << ' ' << write.value;
        EXPECT_EQ(write.data[0] == 'N' ? kRegSz : kRegDword, stored->type) << write.value;
    }
    for (const char* name : {"SilentAcquisition", "SendUserGUID", "UpgradeCodecPrompt"})
        EXPECT_FALSE(m.registry.Get(HKCU, kPlayerPrefs, name)) << name;
    ASSERT_EQ(2u, Boxes().size());
    EXPECT_EQ(kDone, Boxes()[1].text);
    EXPECT_EQ(0u, Boxes()[1].flags);
    EXPECT_EQ(shownBefore, m.Image(K::NoErrorReporting)) << "the tree keeps the last check's images";
    EXPECT_EQ(0u, m.registry.OpenKeyCount());
}

TEST_F(RestoreDefaultsTest, MissingPlayerValuesCountAsRestored)
{
    SystemWithOtherValues();
    m.registry.RemoveTree(HKCU, kPlayerPrefs);
    m.dialog.RestoreDefaults();
    ASSERT_EQ(1u, Boxes().size());
    EXPECT_EQ(kDone, Boxes()[0].text);
}

TEST_F(RestoreDefaultsTest, WhatCouldNotBeRestoredIsListedBelowTheMessage)
{
    // Every key missing: nothing is created, and every write is reported.
    m.dialog.RestoreDefaults();
    ASSERT_EQ(1u, Boxes().size());
    const std::string& text = Boxes()[0].text;
    EXPECT_EQ(0u, text.find(kDone + "\n停用錯誤報告:[ 無法開啟登錄機碼 ]\n"));
    EXPECT_NE(std::string::npos, text.find("\n停用工作排程服務:[ 無法開啟登錄機碼 ]"));
    EXPECT_EQ(11, std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(std::string::npos, text.find("不自動取得授權")) << "absent player values are not failures";
    for (const Expected& write : kWrites)
        EXPECT_FALSE(m.registry.HasKey(write.root, write.key)) << write.key;
    EXPECT_EQ(0u, Boxes()[0].flags);
}

TEST_F(RestoreDefaultsTest, RefusedWritesAndDeletesAreReportedWithTheirReason)
{
    SystemWithOtherValues();
    m.faults.failDeleteValue = true;
    m.faults.failSet = true;
    m.dialog.RestoreDefaults();
    const std::string& text = Boxes().at(0).text;
    EXPECT_NE(std::string::npos, text.find("\n不自動取得授權:[ 無法設定系統登錄值]"));
    EXPECT_NE(std::string::npos, text.find("\n停用錯誤報告:[ 讀取的登錄值與先前寫入的相異  ]"));
    EXPECT_EQ(OrderOf(Pass::Restore).size(), static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));

    // No right to write below the keys at all.
    MemoryMainDlg locked;
    locked.Build();
    for (const char* name : {"SilentAcquisition", "SendUserGUID", "UpgradeCodecPrompt"})
        locked.registry.Put(HKCU, kPlayerPrefs, name, kRegBinary, {0});
    locked.faults.failOpenForWrite = true;
    locked.dialog.RestoreDefaults();
    EXPECT_NE(std::string::npos, locked.prompt.History().at(0).text.find("\n不自動取得授權:[ 無法開啟登錄機碼 ]"));
}

TEST_F(RestoreDefaultsTest, ExpertCommandUnlocksBothExpertOptionsUnchecked)
{
    // Locked, switched off, selected by a check or ticked by the user: all end unticked and enabled.
    for (int before : {ImgLocked, ImgDone, ImgActive, ImgTicked}) {
        m.Build();
        m.dialog.Tree().SetItemImage(m.dialog.Item(K::RemoveAlexaEntry), before);
        m.dialog.Tree().SetItemImage(m.dialog.Item(K::DisableTaskSchedulerService), before);
        m.dialog.OnExpertSettings();
        EXPECT_EQ(ImgUnticked, m.Image(K::RemoveAlexaEntry)) << before;
        EXPECT_EQ(ImgUnticked, m.Image(K::DisableTaskSchedulerService)) << before;
    }
    // A tick the user made between two presses is removed by the second.
    m.dialog.Tree().SetCheckState(m.dialog.Item(K::RemoveAlexaEntry), 1);
    m.dialog.OnExpertSettings();
    EXPECT_EQ(ImgUnticked, m.Image(K::RemoveAlexaEntry));
    EXPECT_EQ(ImgUnticked, m.Image(K::DisableTaskSchedulerService));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(RestoreDefaultsTest, RecommendedCommandReturnsTheInitialSelection)
{
    m.registry.PutDword(HKLM, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting", "DoReport", 0);
    m.dialog.OnExpertSettings();
    m.dialog.CheckSystemStatus();
    ASSERT_EQ(ImgDone, m.Image(K::NoErrorReporting));
    ASSERT_EQ(ImgDone, m.Image(K::MessengerNoAutostart));

    m.dialog.OnRecommendedSettings();
    EXPECT_EQ(ImgTicked, m.Image(K::NoErrorReporting));
    EXPECT_EQ(ImgLocked, m.Image(K::DisableTaskSchedulerService)) << "expert mode ends";
    EXPECT_EQ(ImgRadioOn, m.Image(K::MessengerNoAction));
    EXPECT_EQ(ImgRadioOff, m.Image(K::MessengerNoAutostart)) << "disabled radios come back";
    EXPECT_EQ(ImgTicked, m.Image(K::RemoveSupportUsers));
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
