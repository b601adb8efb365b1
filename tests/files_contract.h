// What the backups, the profiles, the reports and the .reg files rely on
// from the files port, written once and run against each implementation:
// natively on the in-memory files and on a Linux folder (plainly and as the
// caseless root of an installation), under Wine on the Windows files. The
// in-memory files stand in for the Windows ones in the tests of the program,
// so where they differ from the real ones they are wrong.
//
// An environment type provides:
//   IFiles& Files();
//   const std::string& Folder();      an empty folder made for the test and
//                                     removed with all in it afterwards
//   static constexpr bool kCaseless;  whether names below the folder are
//                                     matched without regard to case, as
//                                     Windows matches them
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

template <typename Env>
class FilesContract : public ::testing::Test {
protected:
    using Bytes = std::vector<std::uint8_t>;

    IFiles& Files() { return m_env.Files(); }

    // A path below the test's folder; parts are joined with a backslash, as
    // the program joins them.
    std::string PathOf(std::string_view name) const { return m_env.Folder() + "\\" + std::string(name); }

    static Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

    // Writes a file through the port, as the program does.
    void Write(std::string_view name, const Bytes& content)
    {
        std::string error;
        const std::unique_ptr<IOutputFile> file = Files().Create(PathOf(name), error);
        ASSERT_NE(nullptr, file) << name << ": " << error;
        ASSERT_TRUE(file->Commit(content, error)) << name << ": " << error;
    }

    // The whole file; "(none)" when it cannot be read, which must say why.
    std::string ReadText(std::string_view name)
    {
        Bytes content;
        std::string error;
        if (!Files().Read(PathOf(name), content, error)) {
            EXPECT_FALSE(error.empty()) << "no reason given for " << name;
            return "(none)";
        }
        return std::string(content.begin(), content.end());
    }

    std::vector<std::string> Names(std::string_view folder, std::string_view suffix)
    {
        std::vector<std::string> names = Files().FileNames(folder.empty() ? m_env.Folder() : PathOf(folder), suffix);
        std::sort(names.begin(), names.end());
        return names;
    }

    void MakeFolders(std::string_view name)
    {
        std::string error;
        ASSERT_TRUE(Files().MakeFolders(PathOf(name), error)) << name << ": " << error;
    }

    Env m_env;
};

TYPED_TEST_SUITE_P(FilesContract);

TYPED_TEST_P(FilesContract, NothingIsThereUntilTheCommitPutsTheWholeContent)
{
    IFiles& files = this->Files();
    EXPECT_FALSE(files.Exists(this->PathOf("Missing")));
    EXPECT_EQ("(none)", this->ReadText("Missing\\missing.txt"));
    std::string error;
    std::unique_ptr<IOutputFile> draft = files.Create(this->PathOf("2026-12-07_153012.reg"), error);
    ASSERT_NE(nullptr, draft) << error;
    EXPECT_FALSE(files.Exists(this->PathOf("2026-12-07_153012.reg")));
    EXPECT_EQ("(none)", this->ReadText("2026-12-07_153012.reg"));
    EXPECT_TRUE(this->Names({}, ".reg").empty()) << "the draft is no .reg file";

    // UTF-16LE with its mark, zeros and line ends: every byte as given.
    const typename TestFixture::Bytes content{0xFF, 0xFE, 'R', 0, '\r', 0, '\n', 0, 0x00, 0x80, 0xE9};
    ASSERT_TRUE(draft->Commit(content, error)) << error;
    EXPECT_TRUE(files.Exists(this->PathOf("2026-12-07_153012.reg")));
    EXPECT_EQ(std::string(content.begin(), content.end()), this->ReadText("2026-12-07_153012.reg"));
    EXPECT_EQ(std::vector<std::string>{"2026-12-07_153012.reg"}, this->Names({}, ".reg"));

    draft = files.Create(this->PathOf("empty.txt"), error);
    ASSERT_NE(nullptr, draft) << error;
    ASSERT_TRUE(draft->Commit({}, error)) << error;
    EXPECT_EQ("", this->ReadText("empty.txt")) << "an empty report is a file too";
}

TYPED_TEST_P(FilesContract, ACommitReplacesTheWholeFileAndADroppedDraftLeavesItAsItWas)
{
    IFiles& files = this->Files();
    this->Write("report.txt", this->BytesOf("a long first report\r\n"));

    std::string error;
    std::unique_ptr<IOutputFile> draft = files.Create(this->PathOf("report.txt"), error);
    ASSERT_NE(nullptr, draft) << error;
    EXPECT_EQ("a long first report\r\n", this->ReadText("report.txt")) << "the old file stands until the commit";
    ASSERT_TRUE(draft->Commit(this->BytesOf("short"), error)) << error;
    EXPECT_EQ("short", this->ReadText("report.txt")) << "no tail of the old content";

    // Drafts that go without a commit: over a file, and where none was.
    files.Create(this->PathOf("report.txt"), error).reset();
    files.Create(this->PathOf("never.txt"), error).reset();
    EXPECT_EQ("short", this->ReadText("report.txt"));
    EXPECT_FALSE(files.Exists(this->PathOf("never.txt")));
    EXPECT_EQ(std::vector<std::string>{"report.txt"}, this->Names({}, "")) << "no draft is left behind";
}

TYPED_TEST_P(FilesContract, NoFileIsMadeWhereNoFolderIsOrWhereAFolderStands)
{
    this->Write("profile.txt", this->BytesOf("NoErrorReporting\n"));
    this->MakeFolders("Backups");
    struct Place {
        const char* path;
        const char* why;
    };
    const Place places[] = {
        {"Missing\\report.txt", "its folder is missing"},
        {"profile.txt\\report.txt", "a file stands where its folder should be"},
        {"Backups", "a folder has that name"},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.why);
        std::string error;
        std::unique_ptr<IOutputFile> draft = this->Files().Create(this->PathOf(place.path), error);
        // Known at once or at the latest when the content is put there.
        const bool committed = draft && draft->Commit(this->BytesOf("report"), error);
        EXPECT_FALSE(committed);
        EXPECT_FALSE(error.empty()) << "no reason given";
        EXPECT_EQ("(none)", this->ReadText(place.path));
    }
    EXPECT_EQ("NoErrorReporting\n", this->ReadText("profile.txt"));
    EXPECT_TRUE(this->Files().Exists(this->PathOf("Backups")));
    EXPECT_EQ("(none)", this->ReadText("Backups")) << "a folder is not read as a file";
}

TYPED_TEST_P(FilesContract, MakeFoldersMakesEachMissingFolderAndStopsAtAFile)
{
    IFiles& files = this->Files();
    this->MakeFolders("Application Data\\Veilmark\\Backups");
    for (const char* folder : {"Application Data", "Application Data\\Veilmark", "Application Data\\Veilmark\\Backups"})
        EXPECT_TRUE(files.Exists(this->PathOf(folder))) << folder;
    this->MakeFolders("Application Data\\Veilmark\\Backups");  // there already: nothing to do
    this->Write("Application Data\\Veilmark\\Backups\\a.reg", this->BytesOf("REGEDIT4"));

    this->Write("Application Data\\Veilmark\\Stray", this->BytesOf("a file"));
    for (const char* blocked : {"Application Data\\Veilmark\\Stray", "Application Data\\Veilmark\\Stray\\Backups"}) {
        SCOPED_TRACE(blocked);
        std::string error;
        EXPECT_FALSE(files.MakeFolders(this->PathOf(blocked), error));
        EXPECT_FALSE(error.empty()) << "no reason given";
    }
    EXPECT_EQ("a file", this->ReadText("Application Data\\Veilmark\\Stray")) << "the file in the way stays";
    EXPECT_EQ("REGEDIT4", this->ReadText("Application Data\\Veilmark\\Backups\\a.reg"));
}

TYPED_TEST_P(FilesContract, FileNamesListTheFilesOfOneFolderEndingInTheSuffix)
{
    for (const char* name : {"2026-12-07_153012.reg", "2026-12-07_153012-2.reg", "備份.reg", "OLD.REG", "notes.txt",
                             "a.regx", "b.reg.txt"})
        this->Write(name, this->BytesOf(name));
    this->MakeFolders("folder.reg");
    this->MakeFolders("Sub");
    this->Write("Sub\\inner.reg", this->BytesOf("inner"));

    EXPECT_EQ((std::vector<std::string>{"2026-12-07_153012-2.reg", "2026-12-07_153012.reg", "OLD.REG", "備份.reg"}),
              this->Names({}, ".reg"))
        << "names only, files only, this folder only, the suffix in any case";
    EXPECT_EQ((std::vector<std::string>{"b.reg.txt", "notes.txt"}), this->Names({}, ".txt"));
    EXPECT_EQ(std::vector<std::string>{"inner.reg"}, this->Names("Sub", ".reg"));
    EXPECT_TRUE(this->Names("Missing", ".reg").empty());
}

// Below an installation's root, and on Windows itself, a name in any case
// finds the file or folder as it is spelt on disk.
TYPED_TEST_P(FilesContract, NamesInAnotherCaseFindTheSameFileWhereNamesIgnoreCase)
{
    constexpr bool caseless = TypeParam::kCaseless;
    IFiles& files = this->Files();
    this->MakeFolders("Backups");
    this->Write("Backups\\First.reg", this->BytesOf("first"));

    EXPECT_EQ(caseless, files.Exists(this->PathOf("BACKUPS\\first.REG")));
    EXPECT_EQ(caseless ? "first" : "(none)", this->ReadText("backups\\FIRST.reg"));
    EXPECT_EQ(caseless, files.FileNames(this->PathOf("BACKUPS"), ".reg").size() == 1);
    if (!caseless)
        return;
    this->Write("BACKUPS\\FIRST.REG", this->BytesOf("second"));
    EXPECT_EQ("second", this->ReadText("Backups\\First.reg")) << "the file was replaced, not joined by another";
    EXPECT_EQ(1u, this->Names("Backups", ".reg").size());
    this->MakeFolders("BACKUPS\\Old");
    EXPECT_TRUE(files.Exists(this->PathOf("Backups\\old")));
}

REGISTER_TYPED_TEST_SUITE_P(FilesContract, NothingIsThereUntilTheCommitPutsTheWholeContent,
                            ACommitReplacesTheWholeFileAndADroppedDraftLeavesItAsItWas,
                            NoFileIsMadeWhereNoFolderIsOrWhereAFolderStands,
                            MakeFoldersMakesEachMissingFolderAndStopsAtAFile,
                            FileNamesListTheFilesOfOneFolderEndingInTheSuffix,
                            NamesInAnotherCaseFindTheSameFileWhereNamesIgnoreCase);
