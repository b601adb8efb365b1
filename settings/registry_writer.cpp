// Every registry change of the settings engine: a value set and read back,
// a value deleted, a subkey deleted. Keys are opened, never created.
#include <array>

#include "app/main_dlg.h"

namespace {

// The value each label number stands for in a result line.
constexpr std::array<const char*, 14> kWriteLabels = {
    "SilentAcquisition", "SendUserGUID", "UpgradeCodecPrompt", "DoReport", "ShowUI",
    "fAllowToGetHelp", "NoScheduledUpdates", "NoUpdateCheck", "Type", "EnableNegotiate",
    "", "Start", "Start", "Start"};

std::string_view LabelText(std::int32_t labelNumber)
{
    if (labelNumber < 0 || labelNumber >= static_cast<std::int32_t>(kWriteLabels.size()))
        return {};
    return kWriteLabels[static_cast<std::size_t>(labelNumber)];
}

// Opens the key with full access, deletes something in it and closes it:
// 0 on success, 1 when the key would not open or the delete failed.
template <typename Delete>
std::int32_t DeleteBelow(IRegistry& registry, RegistryRoot root, std::string_view keyPath, Delete deleteIn)
{
    RegKey key = nullptr;
    if (!registry.OpenKey(root, keyPath, kKeyAllAccess, key))
        return 1;
    const bool deleted = deleteIn(key);
    registry.CloseKey(key);
    return deleted ? 0 : 1;
}

}  // namespace

std::string WriteResultLine(std::int32_t code, std::string_view text)
{
    std::string line(text);
    switch (code) {
    case 0:
        return line + ":[OK]";
    case 1:
        return line + ":[ 無法開啟登錄機碼 ]";
    case 3:
        return line + ":[ 無法設定系統登錄值]";
    case 4:
        return line + ":[ 無法查詢系統登錄值  ]";
    case 5:
        return line + ":[ 讀取的登錄值與先前寫入的相異  ]";
    default:
        return line;
    }
}

std::int32_t CMainDlg::WriteRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                          const std::uint8_t* data, std::uint32_t type, std::uint32_t size,
                                          std::int32_t labelNumber)
{
    std::int32_t code = 0;
    RegKey key = nullptr;
    if (!m_registry.OpenKey(root, keyPath, kKeyAllAccess, key)) {
        code = 1;
    } else {
        if (!m_registry.SetValue(key, valueName, type, data, size))
            code = 3;
        // A later failure replaces an earlier code: the read-back decides.
        RegistryValue readBack;
        if (!m_registry.QueryValue(key, valueName, kRegistryBufferSize, readBack))
            code = 4;
        else if (BytesAsText(readBack.data) != BytesAsText(data, size))
            code = 5;
        m_registry.CloseKey(key);
    }
    m_lastWrite = {code, WriteResultLine(code, LabelText(labelNumber))};
    return code == 0 ? 0 : 1;
}

std::int32_t CMainDlg::DeleteRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName)
{
    return DeleteBelow(m_registry, root, keyPath, [&](RegKey key) { return m_registry.DeleteValue(key, valueName); });
}

std::int32_t CMainDlg::DeleteRegistryKey(RegistryRoot root, std::string_view parentPath, std::string_view subkey)
{
    return DeleteBelow(m_registry, root, parentPath, [&](RegKey key) { return m_registry.DeleteKey(key, subkey); });
}
