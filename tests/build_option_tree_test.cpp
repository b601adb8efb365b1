#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/memory_main_dlg.h"
#include "treeopts/state_image.h"

namespace {

using K = OptionKey;

struct Shown {
    std::string label;
    int depth;
    int image;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    return out << "{\"" << s.label << "\", " << s.depth << ", " << s.image << "}";
}

class BuildOptionTreeTest : public ::testing::Test {
protected:
    void Build(int languageBase, int homeEdition)
    {
        dialog.SetLanguageBase(languageBase);
        dialog.SetHomeEdition(homeEdition);
        dialog.BuildOptionTree();
    }

    // The whole tree, depth first, as a person sees it.
    std::vector<Shown> Contents() const
    {
        std::vector<Shown> shown;
        for (TreeItem g = fake->GetChildItem(nullptr); g; g = fake->GetNextSiblingItem(g)) {
            shown.push_back({fake->GetItemText(g), 0, m.Image(g)});
            for (TreeItem c = fake->GetChildItem(g); c; c = fake->GetNextSiblingItem(c))
                shown.push_back({fake->GetItemText(c), 1, m.Image(c)});
        }
        return shown;
    }

    MemoryMainDlg m;
    CMainDlg& dialog = m.dialog;
    MemoryTreeView* fake = m.tree;
};

TEST_F(BuildOptionTreeTest, ChineseTreeInItsInitialState)
{
    Build(60, 0);
    const std::vector<Shown> expected = {
        {"MediaPlayer 功能", 0, 9},
        {"不自動取得授權", 1, 1},
        {"不允許 Web 網站辨識我的播放程式", 1, 1},
        {"停用自動下載解碼器", 1, 1},
        {"錯誤報告", 0, 9},
        {"停用錯誤報告", 1, 1},
        {"停用嚴重錯誤報告", 1, 1},
        {"雜項         ", 0, 9},
        {"Explorer：關閉遠端桌面支援", 1, 1},
        {"不與 Internet 時間同步", 1, 1},
        {"移除 MS 支援使用者", 1, 1},
        {"刪除 Alexa 系統登錄項目", 1, 4},
        {"Internet Explorer 6", 0, 9},
        {"停用自動更新", 1, 1},
        {"停用已排程的更新", 1, 1},
        {"停用整合式 Windows 認證", 1, 1},
        {"服務", 0, 9},
        {"停用錯誤報告服務", 1, 1},
        {"停用自動更新服務", 1, 1},
        {"停用校時伺服器服務", 1, 1},
        {"停用工作排程服務", 1, 4},
        {"Microsoft Messenger (MSN)", 0, 9},
        {"無動作   ", 1, 3},
        {"停用自動啟動", 1, 2},
        {"完全移除", 1, 2},
    };
    EXPECT_EQ(expected, Contents());
}

TEST_F(BuildOptionTreeTest, GermanTreeLabels)
{
    Build(1, 0);
    std::vector<std::string> labels;
    for (const Shown& s : Contents())
        labels.push_back(s.label);
    const std::vector<std::string> expected = {
        "MediaPlayer",
        "Lizenzen nicht automatisch erwerben",
        "Identifikation des Players durch Internetsites nicht zulassen",
        "Automatischen Codec-Download deaktivieren",
        "Fehlerberichterstattung",
        "Fehlerberichterstattung ausschalten",
        "Fehlerberichterstattung auch nicht bei schwerwiegenden Fehlern",
        "Diverse",
        "Explorer: Remotedesktopunterstützung ausschalten",
        "Internetzeit nicht automatisch synchronisieren",
        "MS-Supportbenutzer entfernen",
        "Alexa-Registry-Eintrag entfernen",
        "Internet Explorer 6",
        "Keine Überprüfung auf Updates",
        "Keine geplanten Updates",
        "Integrierte Windows-Authentifizierung deaktivieren",
        "Dienste",
        "Dienst für Fehlerberichterstattung deaktivieren",
        "Dienst für automatische Updates deaktivieren",
        "Dienst zur Zeitsynchronisation deaktivieren",
        "Dienst für den Taskplaner deaktivieren",
        "Microsoft Messenger (MSN)",
        "Keine Aktion",
        "Nicht mit Windows starten",
        "Deinstallieren",
    };
    EXPECT_EQ(expected, labels);
}

TEST_F(BuildOptionTreeTest, HomeEditionHasNoSupportUserItem)
{
    Build(60, 1);
    EXPECT_EQ(nullptr, dialog.Item(K::RemoveSupportUsers));
    EXPECT_EQ(24u, fake->ItemCount());
    std::vector<TreeItem> misc;
    for (TreeItem c = fake->GetChildItem(dialog.Item(K::MiscGroup)); c; c = fake->GetNextSiblingItem(c))
        misc.push_back(c);
    EXPECT_EQ((std::vector<TreeItem>{dialog.Item(K::NoRemoteAssistance), dialog.Item(K::NoInternetTimeSync),
                                     dialog.Item(K::RemoveAlexaEntry)}),
              misc);
}

TEST_F(BuildOptionTreeTest, EveryHandleNamesItsOwnItem)
{
    Build(60, 0);
    for (const CatalogueEntry& entry : Catalogue()) {
        SCOPED_TRACE(entry.name);
        TreeItem item = dialog.Item(entry.key);
        ASSERT_NE(nullptr, item);
        const TreeItem parent = entry.kind == OptionKind::Group ? nullptr : dialog.Item(entry.parent);
        EXPECT_EQ(parent, fake->GetParentItem(item));
        EXPECT_EQ(entry.kind == OptionKind::Group, fake->IsExpanded(item));
    }
    EXPECT_EQ(dialog.Item(K::MediaPlayerGroup), dialog.FirstGroupItem());
}

TEST_F(BuildOptionTreeTest, RebuildingReplacesEverythingAndRestoresTheInitialStates)
{
    Build(60, 0);
    const std::vector<Shown> initial = Contents();
    const TreeItem oldItem = dialog.Item(K::NoErrorReporting);
    dialog.Tree().SetItemImage(oldItem, ImgActive);
    dialog.Tree().SelectRadio(dialog.Item(K::MessengerUninstall));
    dialog.Tree().SetCheckEnabled(dialog.Item(K::RemoveAlexaEntry), 1);

    dialog.BuildOptionTree();
    EXPECT_EQ(kOptionCount, fake->ItemCount());
    EXPECT_EQ(initial, Contents());
    EXPECT_EQ(ImgTicked, m.Image(K::NoErrorReporting));
    EXPECT_EQ(ImgLocked, m.Image(K::RemoveAlexaEntry));
    EXPECT_EQ(ImgRadioOn, m.Image(K::MessengerNoAction));
    int image = 0;
    EXPECT_FALSE(fake->GetItemImage(oldItem, image));
}

}  // namespace
