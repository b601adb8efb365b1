// The fixture of the end-to-end tests: veilmark.exe started in the test
// prefix and driven from outside as a user would, with helpers that wait for
// its windows and message boxes, read its option tree and check what they
// show, reporting the caller's line.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <iostream>
#include <optional>
#include <source_location>
#include <string>
#include <vector>

#include "platform/win32/text.h"
#include "platform/win32/win32.h"
#include "res/resource.h"
#include "settings/catalogue.h"
#include "tests/win/e2e/app_driver.h"
#include "tests/win/e2e/option_keys.h"
#include "tests/win/e2e/registry_state.h"
#include "tests/win/test_files.h"

using namespace app_driver;

// The veilmark.exe under test, from the command line or the environment
// (see e2e_main.cpp).
const std::wstring& ProgramUnderTest();

// The first start of a program in a fresh Wine prefix can take seconds.
inline constexpr DWORD kStartTimeoutMs = 20000;
// Anything that ends the program "at once" does so well within this.
inline constexpr DWORD kExitTimeoutMs = 5000;
// How long a window that should not come up is watched for.
inline constexpr DWORD kQuietMs = 1500;

inline constexpr wchar_t kVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline const std::string kMainTitle = "Veilmark V3.13";
// Every message box of the program carries the program's name.
inline const std::string kBoxTitle = "Veilmark";

inline std::vector<int> ImagesOf(const std::vector<TreeRow>& rows)
{
    std::vector<int> images;
    for (const TreeRow& row : rows)
        images.push_back(row.image == row.selectedImage ? row.image : -1);
    return images;
}

// One line per catalogue option: the expected image, the one shown (the
// normal and selected image when they differ), and the option.
inline std::string DescribeTree(const std::vector<int>& expected, const std::vector<TreeRow>& rows)
{
    std::string text;
    for (std::size_t i = 0; i < std::max(expected.size(), rows.size()); ++i) {
        const std::string want = i < expected.size() ? std::to_string(expected[i]) : "-";
        std::string shown = "-";
        if (i < rows.size())
            shown = rows[i].image == rows[i].selectedImage
                        ? std::to_string(rows[i].image)
                        : std::to_string(rows[i].image) + "/" + std::to_string(rows[i].selectedImage);
        const std::string name = i < Catalogue().size() ? Catalogue()[i].name : "(extra item)";
        text += (want == shown ? "   " : " * ") + want + "\t" + shown + "\t" + name + "\n";
    }
    return text;
}

inline std::string Describe(HWND window)
{
    if (!window)
        return "no window";
    return "control " + std::to_string(GetDlgCtrlID(window)) + " (" + WideToUtf8(ClassName(window)) + " \"" +
           WindowText(window) + "\")";
}

inline std::string DescribeButtons(const std::vector<int>& ids)
{
    std::string text;
    for (int id : ids)
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    return "{" + text + "}";
}

// A test name made of the letters and digits of `text`.
inline std::string TestName(const char* text)
{
    std::string name;
    for (const char* c = text; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    }
    return name;
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(ProgramUnderTest().empty()) << "name veilmark.exe in VEILMARK_EXE or as an argument";
        ASSERT_NE(GetFileAttributesW(ProgramUnderTest().c_str()), INVALID_FILE_ATTRIBUTES)
            << "no file " << WideToUtf8(ProgramUnderTest());
        ASSERT_TRUE(m_workDirectory.Ready()) << "cannot make a working directory";
        // A Windows XP name, so no warning comes up unless a test asks for it.
        SetProductName(L"Microsoft Windows XP Professional");
    }

    void SetProductName(const std::wstring& name)
    {
        std::string error;
        ASSERT_TRUE(m_productName.Set(name, error)) << error;
    }

    // A Windows XP with every option still on, every key of the options
    // there, and Media Player's own settings made, so that no program is run.
    void PrepareEverythingOn()
    {
        using namespace option_keys;
        using namespace registry_state;
        SetBinary(kPlayer, L"SilentAcquisition", {0x00});
        SetBinary(kPlayer, L"SendUserGUID", {0x01});
        SetBinary(kPlayer, L"UpgradeCodecPrompt", {0x01});
        SetDword(kReporting, L"DoReport", 1);
        SetDword(kReporting, L"ShowUI", 1);
        SetDword(kTerminalServer, L"fAllowToGetHelp", 1);
        SetDword(kWebcheck, L"NoScheduledUpdates", 0);
        SetDword(kIeMain, L"NoUpdateCheck", 0);
        SetText(kServices + L"\\W32Time\\Parameters", L"Type", L"NTP");
        SetDword(kInternetSettings, L"EnableNegotiate", 1);
        for (const wchar_t* service : {L"\\ERSvc", L"\\wuauserv", L"\\W32Time", L"\\Schedule"})
            SetDword(kServices + service, L"Start", 2);
        SetText(kAlexa, L"Script", L"res://shdoclvw.dll/related.htm");
        SetText(kRun, L"MSMSGS", L"\"C:\\Program Files\\Messenger\\msmsgs.exe\" /background");
        SetText(kMessengerServer, L"", L"C:\\Program Files\\Messenger\\msmsgs.exe");
    }

    // Starts the program with a current directory that is not its own.
    void Start(const std::wstring& program, const std::wstring& arguments = {})
    {
        std::string error;
        ASSERT_TRUE(m_app.Start(program, m_workDirectory.Path(), error, arguments)) << error;
        m_app.WaitUntilIdle(kStartTimeoutMs);
    }
    void Start() { Start(ProgramUnderTest()); }

    // Starts a copy of the program in a directory of its own, which holds no
    // help file, from a current directory that does hold a file of that name:
    // the program must look beside itself, not in its current directory.
    void StartWithoutHelpFile()
    {
        m_programDirectory.emplace(L"program");
        ASSERT_TRUE(m_programDirectory->Ready());
        const std::wstring copy = m_programDirectory->File(L"veilmark.exe");
        ASSERT_TRUE(CopyFileW(ProgramUnderTest().c_str(), copy.c_str(), TRUE)) << "cannot copy the program";
        HANDLE decoy = CreateFileW(m_workDirectory.File(L"Veilmark.chm").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(decoy, INVALID_HANDLE_VALUE);
        CloseHandle(decoy);
        Start(copy);
    }

    // The main window, once up with nothing in front of it; nullptr (and a
    // failure that says what is shown instead) otherwise.
    HWND WaitForMainWindow()
    {
        const Windows windows =
            m_app.WaitFor([](const Windows& w) { return w.main || !w.boxes.empty(); }, kStartTimeoutMs);
        if (!windows.main || !windows.boxes.empty()) {
            ADD_FAILURE() << "expected the main window alone; " << Status(windows);
            return nullptr;
        }
        return windows.main;
    }

    // The one message box of the start-up. Once the main window is up with
    // no box in front of it, one is waited for only a moment longer.
    HWND WaitForStartupMessageBox()
    {
        bool mainSeen = false;
        DWORD mainSince = 0;
        return WaitForMessageBox(kStartTimeoutMs, [&](const Windows& w) {
            if (w.main && !mainSeen) {
                mainSeen = true;
                mainSince = GetTickCount();
            }
            return mainSeen && GetTickCount() - mainSince >= kQuietMs;
        });
    }

    // The one message box the program shows within `timeoutMs`, or earlier
    // when `giveUp` says none is coming.
    template <typename GiveUp>
    HWND WaitForMessageBox(DWORD timeoutMs, GiveUp giveUp)
    {
        const Windows windows =
            m_app.WaitFor([&](const Windows& w) { return !w.boxes.empty() || giveUp(w); }, timeoutMs);
        if (windows.boxes.size() != 1) {
            ADD_FAILURE() << "expected one message box; " << Status(windows);
            return nullptr;
        }
        return windows.boxes.front();
    }
    HWND WaitForMessageBox(DWORD timeoutMs)
    {
        return WaitForMessageBox(timeoutMs, [](const Windows&) { return false; });
    }

    // The control that has the keyboard focus, once it is `expected` (given
    // a moment to settle after the window is shown).
    HWND WaitForFocus(HWND main, HWND expected)
    {
        HWND focus = nullptr;
        for (DWORD start = GetTickCount(); GetTickCount() - start < kExitTimeoutMs; Sleep(50)) {
            focus = AppProcess::FocusOfThread(main);
            if (focus == expected)
                break;
        }
        return focus;
    }

    void ExpectEndsAtOnce(const std::string& what)
    {
        EXPECT_TRUE(m_app.WaitForExit(kExitTimeoutMs))
            << what << " did not end the program within " << kExitTimeoutMs << " ms; " << Status(m_app.Snapshot());
    }

    // Still running after a while, its main window up and usable, nothing in front of it.
    void ExpectKeepsRunning(const std::string& after)
    {
        Sleep(kQuietMs);
        ASSERT_TRUE(m_app.IsRunning()) << "the program ended after " << after;
        const Windows windows = m_app.Snapshot();
        EXPECT_TRUE(windows.main && windows.boxes.empty() && IsWindowEnabled(windows.main))
            << "after " << after << " expected the main window alone, enabled; " << Status(windows);
    }

    // Chooses the item at `position` (from 0) of the first popup, "特殊".
    void ChooseSpecial(HWND main, int position) { ChooseMenuItem(main, 0, position); }

    // Waits for the program's one message box (besides the dialog `over`,
    // when one is open), checks its title and text, answers it with
    // `button` and waits until it has gone.
    void Answer(const std::string& expectedText, int button, HWND over = nullptr,
                std::source_location caller = std::source_location::current())
    {
        const ::testing::ScopedTrace trace(caller.file_name(), static_cast<int>(caller.line()), "message box");
        HWND box = WaitForBoxBesides(over, kExitTimeoutMs);
        ASSERT_TRUE(box);
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.title, kBoxTitle);
        EXPECT_EQ(view.text, expectedText);
        ASSERT_TRUE(AnswerMessageBox(box, button, kExitTimeoutMs));
    }

    // The one box or dialog of the program besides the main window and
    // `other`, once it is up.
    HWND WaitForBoxBesides(HWND other, DWORD timeoutMs)
    {
        const auto others = [other](const Windows& w) {
            std::vector<HWND> found;
            for (HWND box : w.boxes)
                if (box != other)
                    found.push_back(box);
            return found;
        };
        const Windows windows = m_app.WaitFor([&](const Windows& w) { return !others(w).empty(); }, timeoutMs);
        const std::vector<HWND> found = others(windows);
        if (found.size() != 1) {
            ADD_FAILURE() << "expected one message box; " << Status(windows);
            return nullptr;
        }
        return found.front();
    }

    // Waits until the option tree shows `images`, one per catalogue option
    // in tree order; fails naming the options whose image differs.
    void ExpectTree(HWND main, const std::vector<int>& images,
                    std::source_location caller = std::source_location::current())
    {
        const ::testing::ScopedTrace trace(caller.file_name(), static_cast<int>(caller.line()), "option tree");
        std::vector<TreeRow> rows;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < kExitTimeoutMs; Sleep(50)) {
            rows = ReadOptionTree(main);
            if (ImagesOf(rows) == images)
                return;
        }
        ADD_FAILURE() << "the option tree shows other images (expected, shown, option):\n"
                      << DescribeTree(images, rows);
    }

    // Saves a screenshot as NAME.bmp, when the run names a folder for them.
    void Screenshot(const std::wstring& name) { EXPECT_TRUE(SaveScreenshot(name)) << "cannot save the screenshot"; }

    std::string Status(const Windows& windows) const
    {
        return (m_app.IsRunning() ? "the program runs, " : "the program has ended, ") + DescribeWindows(windows);
    }

    RegistryValueOverride m_productName{HKEY_LOCAL_MACHINE, kVersionKey, L"ProductName"};
    ScratchDirectory m_workDirectory{L"cwd"};
    std::optional<ScratchDirectory> m_programDirectory;
    // Last, so it goes first: the program has ended before its files are
    // removed and the registry is put back.
    AppProcess m_app;
};
