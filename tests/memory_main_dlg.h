// The main dialog on the in-memory platform: built-in string table, in-memory
// registry, tree, prompts, shell, version record, clock, desktop, dialogs and
// system folders. Used by the tests and the benchmarks of the passes.
#pragma once

#include <memory>

#include "app/main_dlg.h"
#include "cli/command_line.h"
#include "platform/builtin/builtin_string_table.h"
#include "platform/memory/event_log.h"
#include "platform/memory/memory_clock.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_dialog_host.h"
#include "platform/memory/memory_files.h"
#include "platform/memory/memory_prompt.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system_folders.h"
#include "platform/memory/memory_tree_view.h"
#include "platform/memory/memory_version_info.h"
#include "tests/faulty_registry.h"

// System actions that do nothing: only the registry changes of a pass count.
struct NoApplyActions final : settings::IApplyActions {
    settings::StepResult ConfigureMediaPlayer() override { return settings::DoneStep(OptionKey::MediaPlayerGroup); }
    settings::StepResult RemoveMessenger() override { return settings::DoneStep(OptionKey::MessengerUninstall); }
    settings::StepResult OpenUserManager() override { return settings::DoneStep(OptionKey::RemoveSupportUsers); }
};

struct MemoryMainDlg {
    explicit MemoryMainDlg(Language userLanguage = Language::Chinese)
        : language(userLanguage), dialog({strings, Target(), Host(), userLanguage})
    {
        shell.LogTo(&log);
        clock.LogTo(&log);
        desktop.LogTo(&log);
        dialogs.LogTo(&log);
        faults.log = &log;
        auto view = std::make_unique<MemoryTreeView>();
        tree = view.get();
        dialog.Tree().Attach(std::move(view));
    }

    // Builds the Chinese tree, as the dialog does at start-up.
    void Build(int homeEdition = 0)
    {
        dialog.SetLanguageBase(60);
        dialog.SetHomeEdition(homeEdition);
        dialog.BuildOptionTree();
    }

    // A Windows XP whose features are all still on: every key of the
    // catalogue there, the Alexa entry, Messenger installed and starting
    // with Windows.
    void PutEverythingOn()
    {
        registry.PutText(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName",
                         "Microsoft Windows XP");
        for (const CatalogueEntry& entry : Catalogue())
            if (entry.binding.keyPath)
                registry.CreateKey(entry.binding.root, entry.binding.keyPath);
        registry.Put(RegistryRoot::CurrentUser, "Software\\Microsoft\\MediaPlayer\\Preferences", "SilentAcquisition",
                     kRegBinary, {1});
        registry.PutText(RegistryRoot::LocalMachine,
                         "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{c95fe080-8f5d-11d2-a20b-00aa003c157a}",
                         "Script", "res://shdoclvw.dll/related.htm");
        registry.PutText(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "MSMSGS",
                         "msmsgs.exe /background");
        registry.PutText(RegistryRoot::ClassesRoot, "CLSID\\{B69003B3-C55E-4b48-836C-BC5946FC3B28}\\LocalServer32", "",
                         "msmsgs.exe");
    }

    // The same platform for a run from the command line, writing to `console`.
    cli::CommandLineServices CommandLine(IConsole& console)
    {
        return {Target(), Host(), strings, console, language};
    }

    // The system the dialog changes, and the machine it runs on.
    TargetSystem Target() { return {faults, version, folders}; }
    HostMachine Host() { return {prompt, shell, clock, desktop, dialogs, files}; }

    int Image(OptionKey key) const { return Image(dialog.Item(key)); }
    int Image(TreeItem item) const
    {
        int image = -1;
        tree->GetItemImage(item, image);
        return image;
    }

    BuiltinStringTable strings;
    MemoryRegistry registry;
    FaultyRegistry faults{registry};  // what the dialog uses: the registry, failing on demand
    MemoryPrompt prompt;
    MemoryShell shell;
    MemoryVersionInfo version;
    MemoryClock clock;
    MemoryDesktop desktop{clock};
    MemoryDialogHost dialogs;
    MemorySystemFolders folders;
    MemoryFiles files;
    EventLog log;  // what the registry, shell, clock, desktop and dialogs were asked, in order
    Language language;  // the user's
    CMainDlg dialog;
    MemoryTreeView* tree = nullptr;
};
