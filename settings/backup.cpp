#include "settings/backup.h"

#include <algorithm>

#include "lang/texts.h"
#include "settings/registry_ops.h"
#include "settings/text.h"

namespace settings {

namespace {

// Large enough for any value a key holds.
constexpr std::uint32_t kWholeValue = 0x7FFFFFFF;
constexpr std::string_view kSuffix = ".reg";

std::string Unreadable(const BackupTarget& target, std::string_view name, Language language)
{
    return Text(TextId::BackupValueUnreadable, language, {name, FullKeyName(target.root, target.keyPath)});
}

bool AddWholeKey(IRegistry& registry, RegKey key, const BackupTarget& target, RegFile& file, std::string& error,
                 Language language)
{
    file.AddKey(target.root, target.keyPath);
    std::string name;
    for (std::uint32_t index = 0; registry.ValueName(key, index, name); ++index) {
        // A .reg file has no way to write a line break in a name.
        if (name.find_first_of("\r\n") != std::string::npos) {
            file.Comment("A value whose name holds a line break cannot be kept in a .reg file.");
            continue;
        }
        RegistryValue value;
        if (!registry.QueryValue(key, name, kWholeValue, value)) {
            error = Unreadable(target, name, language);
            return false;
        }
        file.SetValue(target.root, target.keyPath, name, value.type, value.data);
    }
    return true;
}

std::string TwoDigits(int number)
{
    return {static_cast<char>('0' + number / 10 % 10), static_cast<char>('0' + number % 10)};
}

// 2026-12-07_153012
std::string Stamp(const LocalTime& t)
{
    return std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + "_" + TwoDigits(t.hour) +
           TwoDigits(t.minute) + TwoDigits(t.second);
}

// A backup's place in time: its stamp, then its number in that second (1 for none).
std::pair<std::string, int> Order(const std::string& name)
{
    std::string stem = name.substr(0, name.size() - kSuffix.size());
    int number = 1;
    const std::size_t dash = stem.rfind('-');
    if (dash != std::string::npos && dash > stem.find('_') && dash + 1 < stem.size() &&
        std::all_of(stem.begin() + static_cast<std::ptrdiff_t>(dash) + 1, stem.end(),
                    [](char c) { return c >= '0' && c <= '9'; })) {
        number = 0;
        for (std::size_t i = dash + 1; i < stem.size() && number < 100000; ++i)
            number = number * 10 + (stem[i] - '0');
        stem.resize(dash);
    }
    return {stem, number};
}

}  // namespace

bool AddBackup(IRegistry& registry, const std::vector<BackupTarget>& targets, RegFile& file, std::string& error,
               Language language)
{
    for (const BackupTarget& target : targets) {
        const ScopedRegKey key(registry, target.root, target.keyPath, kKeyRead);
        if (key.Missing())
            continue;
        if (!key) {
            // Left out as absent, what it holds would be lost on the way back.
            error = Text(TextId::BackupKeyShut, language, {FullKeyName(target.root, target.keyPath)});
            return false;
        }
        if (target.wholeKey) {
            if (!AddWholeKey(registry, key.Get(), target, file, error, language))
                return false;
            continue;
        }
        RegistryValue value;
        if (registry.QueryValue(key.Get(), target.valueName, kWholeValue, value)) {
            file.SetValue(target.root, target.keyPath, target.valueName, value.type, value.data);
        } else if (!HasValueNamed(registry, key.Get(), target.valueName)) {
            file.DeleteValue(target.root, target.keyPath, target.valueName);
        } else {
            // Kept as a deletion, it would be lost on the way back.
            error = Unreadable(target, target.valueName, language);
            return false;
        }
    }
    return true;
}

std::string BackupFolder(const ISystemFolders& folders)
{
    return folders.AppDataDirectory() + "\\Veilmark\\Backups";
}

bool BackupStore::Save(IRegistry& registry, const std::vector<BackupTarget>& targets, std::string_view pass,
                       std::string& path, std::string& error)
{
    path.clear();
    if (targets.empty())
        return true;
    if (m_folder.empty()) {
        path = "\\Veilmark\\Backups";
        error = Text(TextId::NoApplicationData, m_language);
        return false;
    }
    if (!m_files.MakeFolders(m_folder, error)) {
        path = m_folder;
        return false;
    }
    const std::string stamp = Stamp(m_clock.Now());
    const std::string stem = m_folder + "\\" + stamp;
    path = stem + std::string(kSuffix);
    for (int number = 2; m_files.Exists(path); ++number)
        path = stem + "-" + std::to_string(number) + std::string(kSuffix);

    RegFile backup;
    backup.Comment("Veilmark: the values before " + std::string(pass) + ", as they were at " + stamp +
                   ".\nTo go back: regedit /s with this file, or veilmark.exe /revert with this file.");
    if (!AddBackup(registry, targets, backup, error, m_language))
        return false;
    const std::unique_ptr<IOutputFile> output = m_files.Create(path, error);
    return output && output->Commit(backup.Bytes(), error);
}

std::vector<std::string> BackupStore::List() const
{
    std::vector<std::string> names = m_files.FileNames(m_folder, kSuffix);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return Order(a) > Order(b); });
    for (std::string& name : names)
        name = m_folder + "\\" + name;
    return names;
}

}  // namespace settings
