// The help file's sources against the program: every option has its page,
// the page's registry table says exactly what Start and the restore of
// defaults write (found by running those passes on the in-memory registry),
// and the contents list the start page and the groups with their options in
// the tree's order, under the tree's labels.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/builtin/builtin_string_table.h"
#include "settings/apply_settings.h"
#include "settings/policy.h"
#include "settings/reg_file.h"
#include "settings/restore_defaults.h"
#include "tests/memory_main_dlg.h"

namespace {

// One language's help sources and the words its pages use.
struct HelpLanguage {
    const char* folder;
    int languageBase;
    Language language;
    const char* title;
    const char* project;
    const char* languageId;
    const char* key;
    const char* name;
    const char* type;
    const char* afterStart;
    const char* afterRestore;
    const char* deleteValue;
    const char* deleteKey;
    const char* unchanged;
    // The policy tables: the policy as gpedit shows it, the data that keep
    // the feature on and off.
    const char* policy;
    const char* keepsOn;
    const char* keepsOff;
};

const HelpLanguage kHelpLanguages[] = {
    {"zh", 60, Language::Chinese, "Veilmark 說明", "Veilmark.hhp", "0x404", "機碼", "名稱", "類型", "按「開始」後", "「重設系統狀態」後",
     "刪除此值", "刪除整個機碼", "不變更", "原則", "使其保持開啟", "使其保持關閉"},
    {"en", 120, Language::English, "Veilmark Help", "Veilmark_en.hhp", "0x409", "Key", "Name", "Type", "After Start",
     "After Reset system status", "Delete this value", "Delete the whole key", "Unchanged", "Policy", "Keeps it on",
     "Keeps it off"},
    {"de", 1, Language::German, "Veilmark-Hilfe", "Veilmark_de.hhp", "0x407", "Schlüssel", "Name", "Typ", "Nach „Start“",
     "Nach „Systemstatus zurücksetzen“", "Diesen Wert löschen", "Den ganzen Schlüssel löschen", "Unverändert",
     "Richtlinie", "Hält sie eingeschaltet", "Hält sie ausgeschaltet"},
};

std::string ReadHelpFile(const HelpLanguage& language, const std::string& name)
{
    std::ifstream file(std::string(VEILMARK_HELP_DIR) + "/" + language.folder + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Whether the UTF-8 text holds a CJK character (U+3000 to U+9FFF) or a
// full-width form (U+FF00 to U+FFEF).
bool HasCjk(const std::string& text)
{
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        const auto last = static_cast<unsigned char>(text[i + 2]);
        const bool fullWidth = lead == 0xEF && ((next >= 0xBC && next <= 0xBE) || (next == 0xBF && last <= 0xAF));
        if ((lead >= 0xE3 && lead <= 0xE9) || fullWidth)
            return true;
    }
    return false;
}

std::string Unescape(std::string text)
{
    for (const auto& [entity, character] : std::vector<std::pair<std::string, std::string>>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#x27;", "'"}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, entity.size(), character);
    }
    return text;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The rows of a page's first table of `kind` after `from`: heading → cell.
std::map<std::string, std::string> RegistryTable(const std::string& page, const char* kind = "registry",
                                                 std::size_t* from = nullptr)
{
    std::map<std::string, std::string> rows;
    const std::size_t start = page.find(std::string("<table class=\"") + kind + "\">", from ? *from : 0);
    if (start == std::string::npos)
        return rows;
    if (from)
        *from = start + 1;
    const std::string table = page.substr(start, page.find("</table>", start) - start);
    static const std::regex row("<tr><th>([^<]*)</th><td>([^<]*)</td></tr>");
    for (std::sregex_iterator it(table.begin(), table.end(), row), end; it != end; ++it)
        rows[(*it)[1]] = Unescape((*it)[2]);
    return rows;
}

std::string TypeName(std::uint32_t type)
{
    switch (type) {
    case kRegSz: return "REG_SZ";
    case kRegBinary: return "REG_BINARY";
    case kRegDword: return "REG_DWORD";
    default: return "type " + std::to_string(type);
    }
}

// A value as the pages write it: a number as regedit shows it, bytes in hex,
// a text as it stands; an absent value as its deletion.
std::string Shown(const std::optional<RegistryValue>& value, const HelpLanguage& language)
{
    if (!value)
        return language.deleteValue;
    char buffer[32];
    switch (value->type) {
    case kRegDword: {
        const std::uint32_t number = AsNumber(value->data);
        std::snprintf(buffer, sizeof(buffer), "0x%08x (%u)", number, number);
        return buffer;
    }
    case kRegSz:
        return std::string(BytesAsText(value->data));
    default: {
        std::string bytes;
        for (std::uint8_t byte : value->data) {
            std::snprintf(buffer, sizeof(buffer), "%s%02x", bytes.empty() ? "" : " ", byte);
            bytes += buffer;
        }
        return bytes;
    }
    }
}

// The passes on the in-memory registry of a system with every feature on.
struct Passes {
    Passes() { m.PutEverythingOn(); }

    // Start with only `key` selected; the registry events it caused.
    std::vector<std::string> ApplyOnly(OptionKey key)
    {
        settings::Selection selection;
        selection.Select(key);
        const std::size_t before = m.log.Events().size();
        settings::ApplySettings(ops, selection, false, actions);
        std::vector<std::string> events;
        for (std::size_t i = before; i < m.log.Events().size(); ++i)
            if (m.log.Events()[i].rfind("set ", 0) == 0 || m.log.Events()[i].rfind("delete ", 0) == 0)
                events.push_back(m.log.Events()[i]);
        return events;
    }

    MemoryMainDlg m;
    RegistryOps ops{m.faults};
    NoApplyActions actions;
};

TEST(HelpPagesTest, EveryOptionHasAPageWhoseRegistryTableIsWhatThePassesWrite)
{
    for (const HelpLanguage& language : kHelpLanguages) {
        SCOPED_TRACE(language.folder);
        Passes passes;
        const OptionLabels labels{passes.m.strings, language.languageBase};
        for (const CatalogueEntry& entry : Catalogue()) {
            if (entry.kind == OptionKind::Group)
                continue;
            SCOPED_TRACE(entry.name);
            const std::string page = ReadHelpFile(language, std::string("pages/") + entry.name + ".html");
            if (page.empty()) {
                ADD_FAILURE() << "no page for the option";
                continue;
            }
            EXPECT_NE(page.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
                      std::string::npos);
            EXPECT_NE(page.find("<h1>" + Trimmed(labels.Of(entry.key)) + "</h1>"), std::string::npos)
                << "the heading is the tree's label";
            EXPECT_EQ(language.languageBase == 60, HasCjk(page)) << "Chinese only on the Chinese pages";

            const std::map<std::string, std::string> table = RegistryTable(page);
            const std::vector<std::string> written = passes.ApplyOnly(entry.key);
            if (table.empty()) {
                EXPECT_TRUE(written.empty()) << "Start writes " << written.front() << " but the page has no table";
                continue;
            }
            if (written.size() != 1u) {
                ADD_FAILURE() << "Start makes " << written.size() << " registry changes for the option, the page one";
                continue;
            }
            MemoryRegistry& registry = passes.m.registry;
            const RegistryBinding& binding = entry.binding;
            EXPECT_EQ(FullKeyName(binding.root, binding.keyPath), table.at(language.key));

            if (written.front().rfind("delete key ", 0) == 0) {
                EXPECT_EQ(3u, table.size()) << "a key's table has its path and the two passes";
                EXPECT_FALSE(registry.HasKey(binding.root, binding.keyPath));
                EXPECT_EQ(language.deleteKey, table.at(language.afterStart));
            } else {
                EXPECT_EQ(binding.valueName, table.at(language.name));
                EXPECT_EQ(TypeName(binding.type), table.at(language.type));
                const auto afterStart = registry.Get(binding.root, binding.keyPath, binding.valueName);
                if (afterStart) {
                    EXPECT_EQ(binding.type, afterStart->type);
                }
                EXPECT_EQ(Shown(afterStart, language), table.at(language.afterStart));
            }

            // A value no pass writes, so that what the restore leaves shows
            // whether it wrote, deleted or left the value.
            const std::vector<std::uint8_t> sentinel =
                binding.type == kRegDword ? DwordBytes(0x7777) : binding.type == kRegSz ? TextBytes("sentinel")
                                                                                        : std::vector<std::uint8_t>{0x77};
            registry.Put(binding.root, binding.keyPath, binding.valueName, binding.type, sentinel);
            settings::RestoreDefaults(passes.ops);
            const auto after = registry.Get(binding.root, binding.keyPath, binding.valueName);
            if (table.at(language.afterRestore) == language.unchanged) {
                EXPECT_TRUE(after && after->data == sentinel) << "the restore changes it: " << Shown(after, language);
            } else {
                if (after) {
                    EXPECT_EQ(binding.type, after->type);
                }
                EXPECT_EQ(Shown(after, language), table.at(language.afterRestore));
            }
        }
    }
}

// Data as the policy tables list them: "NTP, NT5DS, AllSync", or a dash.
std::string Listed(const char* list)
{
    if (!list)
        return "–";
    std::string listed = list;
    for (std::size_t bar; (bar = listed.find('|')) != std::string::npos;)
        listed.replace(bar, 1, ", ");
    return listed;
}

TEST(HelpPagesTest, EveryPageNamesThePoliciesThatGovernItsOptionInTheOrderWindowsReadsThem)
{
    for (const HelpLanguage& language : kHelpLanguages) {
        SCOPED_TRACE(language.folder);
        for (const CatalogueEntry& entry : Catalogue()) {
            if (entry.kind == OptionKind::Group)
                continue;
            SCOPED_TRACE(entry.name);
            const std::string page = ReadHelpFile(language, std::string("pages/") + entry.name + ".html");
            std::size_t from = 0;
            for (const PolicyValue& policy : entry.policy.Values()) {
                const std::map<std::string, std::string> expected{
                    {language.policy, PolicyPlace(policy, language.language)},
                    {language.key, FullKeyName(policy.root, policy.keyPath)},
                    {language.name, policy.valueName},
                    {language.type, TypeName(policy.type)},
                    {language.keepsOn, Listed(policy.forcesOn)},
                    {language.keepsOff, Listed(policy.forcesOff)},
                };
                EXPECT_EQ(expected, RegistryTable(page, "registry policy", &from));
            }
            EXPECT_TRUE(RegistryTable(page, "registry policy", &from).empty()) << "a table of no policy of the option";
        }
    }
}

TEST(HelpPagesTest, ContentsListTheStartPageThenEveryGroupWithItsOptionsInTreeOrder)
{
    const BuiltinStringTable strings;
    for (const HelpLanguage& language : kHelpLanguages) {
        SCOPED_TRACE(language.folder);
        const OptionLabels labels{strings, language.languageBase};
        const std::string contents = ReadHelpFile(language, "contents.hhc");
        static const std::regex entry(
            "<param name=\"Name\" value=\"([^\"]*)\">(?:<param name=\"Local\" value=\"([^\"]*)\">)?");
        std::vector<std::string> listed;
        for (std::sregex_iterator it(contents.begin(), contents.end(), entry), end; it != end; ++it)
            listed.push_back(Unescape((*it)[1]) + " | " + std::string((*it)[2]));

        std::vector<std::string> expected{std::string(language.title) + " | pages/index.html"};
        for (const CatalogueEntry& option : Catalogue())
            expected.push_back(Trimmed(labels.Of(option.key)) + " | " +
                               (option.kind == OptionKind::Group ? "" : "pages/" + std::string(option.name) + ".html"));
        EXPECT_EQ(expected, listed);

        const std::string project = ReadHelpFile(language, language.project);
        EXPECT_NE(project.find("\nTitle=" + std::string(language.title) + "\n"), std::string::npos);
        EXPECT_NE(project.find("\nLanguage=" + std::string(language.languageId) + " "), std::string::npos);
        const std::string index = ReadHelpFile(language, "index.hhk");
        for (const CatalogueEntry& option : Catalogue()) {
            if (option.kind != OptionKind::Group) {
                EXPECT_NE(index.find("pages/" + std::string(option.name) + ".html"), std::string::npos) << option.name;
            }
        }
    }
}

}  // namespace
