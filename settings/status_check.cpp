// The system status check: what the registry says about every tested option,
// shown as the option's image.
#include "app/main_dlg.h"
#include "treeopts/state_image.h"

namespace {

using K = OptionKey;

enum class StatusRule {
    Standard,           // equal: done (5); otherwise active (12)
    ExpertOffWhenGone,  // expert option, switched off when the value is missing
    ExpertOffWhenEqual, // expert option, switched off when the value is equal
    Messenger,          // radio: a missing value disables it
};

struct StatusStep {
    OptionKey key;
    std::uint32_t expectedNumber;
    const char* expectedText;  // null: any text counts as present
    StatusRule rule;
};

// In the order the check runs; the value tested is the option's catalogue binding.
constexpr StatusStep kStatusSteps[] = {
    {K::NoLicenceAcquisition, 0, "", StatusRule::Standard},
    {K::NoPlayerIdentification, 0, "", StatusRule::Standard},
    {K::NoCodecDownload, 0, "", StatusRule::Standard},
    {K::NoErrorReporting, 0, nullptr, StatusRule::Standard},
    {K::NoCriticalErrorReporting, 0, nullptr, StatusRule::Standard},
    {K::DisableErrorReportingService, 4, nullptr, StatusRule::Standard},
    {K::DisableAutoUpdateService, 4, nullptr, StatusRule::Standard},
    {K::DisableTimeService, 4, nullptr, StatusRule::Standard},
    {K::RemoveAlexaEntry, 0, nullptr, StatusRule::ExpertOffWhenGone},
    {K::NoIeScheduledUpdates, 1, nullptr, StatusRule::Standard},
    {K::NoRemoteAssistance, 0, nullptr, StatusRule::Standard},
    {K::NoIeUpdateCheck, 1, nullptr, StatusRule::Standard},
    {K::NoInternetTimeSync, 0, "NoSync", StatusRule::Standard},
    {K::DisableTaskSchedulerService, 4, nullptr, StatusRule::ExpertOffWhenEqual},
    {K::NoIntegratedAuth, 0, nullptr, StatusRule::Standard},
    {K::MessengerNoAutostart, 0, nullptr, StatusRule::Messenger},
    {K::MessengerUninstall, 0, nullptr, StatusRule::Messenger},
};

// A REG_DWORD read into a zeroed 4-byte number: shorter data fills its low bytes.
std::uint32_t AsNumber(const std::vector<std::uint8_t>& data)
{
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < data.size() && i < 4; ++i)
        number |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return number;
}

}  // namespace

std::int32_t CMainDlg::TestRegistryValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                         std::uint32_t testType, std::uint32_t expectedNumber,
                                         const char* expectedText)
{
    RegKey key = nullptr;
    if (!m_registry.OpenKey(root, keyPath, kKeyRead, key))
        return 2;

    std::int32_t result = 0;
    RegistryValue value;
    switch (testType) {
    case kRegSz:
        if (!m_registry.QueryValue(key, valueName, kRegistryBufferSize, value))
            result = 2;
        else if (expectedText)
            result = ToBool(BytesAsText(value.data) == expectedText);
        break;
    case kRegBinary:
        if (!m_registry.QueryValue(key, valueName, kRegistryBufferSize, value))
            result = 2;
        else
            result = ToBool(BytesAsText(value.data) == (expectedText ? expectedText : ""));
        break;
    case kRegDword:
        if (!m_registry.QueryValue(key, valueName, kRegistryDwordSize, value))
            result = 2;
        else
            result = ToBool(AsNumber(value.data) == expectedNumber);
        break;
    default:
        break;
    }
    m_registry.CloseKey(key);
    return result;
}

void CMainDlg::CheckSystemStatus()
{
    for (const StatusStep& step : kStatusSteps) {
        const TreeItem item = Item(step.key);
        const RegistryBinding& binding = CatalogueEntryOf(step.key).binding;
        BOOL wasEnabled = 0;
        if (step.rule == StatusRule::ExpertOffWhenGone || step.rule == StatusRule::ExpertOffWhenEqual)
            m_ctrlTree.IsCheckEnabled(item, wasEnabled);

        const std::int32_t result = TestRegistryValue(binding.root, binding.keyPath, binding.valueName,
                                                      binding.type, step.expectedNumber, step.expectedText);
        if (step.rule == StatusRule::Messenger) {
            if (result == 2) {
                m_ctrlTree.SelectRadioByIndex(Item(K::MessengerGroup), 0);
                m_ctrlTree.SetRadioEnabled(item, 0);
            }
            continue;
        }
        const bool switchedOff = step.rule == StatusRule::ExpertOffWhenGone ? result == 2 : result == 1;
        if (switchedOff) {
            m_ctrlTree.SetCheckState(item, 1);
            m_ctrlTree.SetCheckEnabled(item, 0);
        } else if (step.rule == StatusRule::Standard || wasEnabled) {
            // An expert option the user has not enabled stays locked.
            m_ctrlTree.SetItemImage(item, ImgActive);
        }
    }
}
