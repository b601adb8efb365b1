// A key that is there but shuts the program out is not a key that is absent:
// the apply pass, the restore, the status check, the backup and the revert
// each tell the two apart, and none takes a refused key for done.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/reg_file.h"
#include "settings/restore_defaults.h"
#include "settings/revert.h"
#include "settings/status_check.h"
#include "settings/text.h"
#include "tests/memory_main_dlg.h"

namespace {

using K = OptionKey;
using settings::OptionState;
using settings::StepOutcome;

const RegistryBinding& BindingOf(K key) { return CatalogueEntryOf(key).binding; }

class RefusedKeysTest : public ::testing::Test {
protected:
    RefusedKeysTest() { m.PutEverythingOn(); }

    OptionLabels Labels() const { return {m.strings, LanguageBaseOf(Language::Chinese)}; }

    // The apply pass's step for `key`, with only that option selected.
    settings::StepResult Apply(K key)
    {
        settings::Selection selection;
        selection.Select(key);
        RegistryOps ops(m.registry);
        NoApplyActions actions;
        for (const settings::StepResult& step : settings::ApplySettings(ops, selection, false, actions))
            if (step.key == key)
                return step;
        ADD_FAILURE() << "no step for " << CatalogueEntryOf(key).name;
        return {};
    }

    OptionState StatusOf(K key)
    {
        RegistryOps ops(m.registry);
        for (const settings::OptionStatus& option : settings::ReadSystemStatus(ops))
            if (option.key == key)
                return option.state;
        ADD_FAILURE() << "not tested: " << CatalogueEntryOf(key).name;
        return OptionState::On;
    }

    MemoryMainDlg m;
};

// Each key an option deletes from, first shut, then really gone.
TEST_F(RefusedKeysTest, ADeleteInAShutKeyFailsWhereOneInAnAbsentKeyIsDone)
{
    const struct {
        K option;
        bool applied;  // the pass deletes something there itself
    } cases[] = {
        {K::RemoveAlexaEntry, true},
        {K::MessengerNoAutostart, true},
        {K::MessengerUninstall, false},  // the uninstaller's; the check reads it
    };
    for (const auto& c : cases) {
        const RegistryBinding& binding = BindingOf(c.option);
        SCOPED_TRACE(CatalogueEntryOf(c.option).name);
        m.registry.DenyAccess(binding.root, binding.keyPath);
        EXPECT_EQ(OptionState::Unknown, StatusOf(c.option));
        if (c.applied) {
            const settings::StepResult step = Apply(c.option);
            EXPECT_EQ(StepOutcome::Failed, step.outcome);
            EXPECT_EQ(Labels().Of(c.option) + ":[ 無法開啟登錄機碼 ]", settings::FailureLine(step, Labels()));
            EXPECT_TRUE(m.registry.HasKey(binding.root, binding.keyPath));

            // The backup before the pass cannot keep what it cannot read.
            settings::Selection selection;
            selection.Select(c.option);
            RegFile file;
            std::string error;
            EXPECT_FALSE(settings::AddBackup(m.registry, settings::ApplyTargets(selection), file, error, Language::English));
            EXPECT_EQ("the key " + FullKeyName(binding.root, binding.keyPath) + " cannot be opened", error);
        }

        m.registry.RemoveTree(binding.root, binding.keyPath);
        EXPECT_EQ(OptionState::Off, StatusOf(c.option));
        if (c.applied) {
            EXPECT_EQ(StepOutcome::Done, Apply(c.option).outcome);
        }
    }
}

TEST_F(RefusedKeysTest, TheRestoreListsThePlayerValuesOfAShutKeyAsNotRestored)
{
    const RegistryBinding& player = BindingOf(K::NoLicenceAcquisition);
    m.registry.DenyAccess(player.root, player.keyPath);
    m.Build();
    m.dialog.RestoreDefaults();
    const std::string& message = m.prompt.History().back().text;
    for (K key : {K::NoLicenceAcquisition, K::NoPlayerIdentification, K::NoCodecDownload})
        EXPECT_NE(std::string::npos, message.find(Labels().Of(key) + ":[ 無法開啟登錄機碼 ]")) << message;

    m.registry.RemoveTree(player.root, player.keyPath);
    m.dialog.RestoreDefaults();
    EXPECT_EQ(std::string::npos, m.prompt.History().back().text.find("無法開啟登錄機碼"))
        << "values in an absent key are restored already";
}

TEST_F(RefusedKeysTest, RevertingADeletionInAShutKeyFails)
{
    const RegistryBinding& run = BindingOf(K::MessengerNoAutostart);
    RegFile backup;
    backup.DeleteValue(run.root, run.keyPath, run.valueName);
    const settings::ParsedRegFile parsed = settings::ParseRegFile(backup.Bytes(), Language::English);
    ASSERT_EQ(0, parsed.errorLine) << parsed.error;

    m.registry.DenyAccess(run.root, run.keyPath);
    std::vector<settings::RevertResult> results = settings::Revert(m.registry, parsed.entries, Language::English);
    ASSERT_EQ(1u, results.size());
    EXPECT_FALSE(results[0].done);
    EXPECT_EQ("failed: the key cannot be opened", results[0].outcome);

    m.registry.RemoveTree(run.root, run.keyPath);
    results = settings::Revert(m.registry, parsed.entries, Language::English);
    EXPECT_TRUE(results[0].done);
    EXPECT_EQ("already absent", results[0].outcome);
}

}  // namespace
