#include "actions/time_server_dlg.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "lang/texts.h"
#include "platform/utf8.h"
#include "res/resource.h"
#include "settings/catalogue.h"

namespace {

constexpr const char* kServersKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers";
// Applying a server switches time synchronisation and the time service
// back on: the values of the two options that switch them off.
const RegistryBinding& Synchronisation() { return CatalogueEntryOf(OptionKey::NoInternetTimeSync).binding; }
const RegistryBinding& TimeService() { return CatalogueEntryOf(OptionKey::DisableTimeService).binding; }
// An entry holds at most 127 characters, as the text limit of the address.
constexpr std::size_t kMaxAddress = 127;
// The highest number a server is stored under: nine digits.
constexpr std::uint32_t kMaxNumber = 999999999;

// The dialog's message map, in its order: a click (kClicked) or a control's
// notification, and its handler.
constexpr unsigned kClicked = 0;
struct EventRoute {
    unsigned id;
    unsigned code;
    void (CTimeServerDlg::*handler)();
};
constexpr EventRoute kRoutes[] = {
    {IDC_TIME_APPLY, kClicked, &CTimeServerDlg::OnApply},
    {IDC_TIME_SERVERS, kSelectionChanged, &CTimeServerDlg::OnServerSelChange},
    {IDC_TIME_ADD, kClicked, &CTimeServerDlg::OnAdd},
    {IDC_TIME_ADDRESS, kTextChanged, &CTimeServerDlg::OnAddressChange},
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(std::string_view text) { return std::all_of(text.begin(), text.end(), IsSpace); }

// A number read as a formatted scan with "%d" reads it: leading white space
// and a sign, then digits up to the first other character; 0 when the text
// does not begin so. Held just beyond the highest server number, so that no
// text overflows and none names a server it does not.
std::int64_t ScanNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    std::int64_t number = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        number = std::min<std::int64_t>(number * 10 + (text[i] - '0'), std::int64_t{kMaxNumber} + 1);
    return negative ? -number : number;
}

bool AllDigits(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), IsDigit);
}

// The number of a value named as Windows names its servers: decimal digits
// without a leading zero ("1", "2", ... "12").
std::optional<std::uint32_t> ServerNumber(std::string_view name)
{
    if (!AllDigits(name) || name[0] == '0' || name.size() > 9)
        return std::nullopt;
    return static_cast<std::uint32_t>(ScanNumber(name));
}

// Keys are opened, never created; the results of the writes are not looked
// at: the dialog behaves the same whether or not they took effect.
void WriteText(IRegistry& registry, RegKey key, std::string_view name, std::string_view text)
{
    const std::vector<std::uint8_t> data = TextBytes(text);
    registry.SetValue(key, name, kRegSz, data.data(), static_cast<std::uint32_t>(data.size()));
}

}  // namespace

int CTimeServerDlg::DoModal()
{
    const int result = m_dialogs.RunModal(IDD_TIME_SERVER, *this);
    m_window = nullptr;
    return result;
}

BOOL CTimeServerDlg::OnInitDialog(IDialogWindow& window)
{
    m_window = &window;
    window.EnableItem(IDC_TIME_APPLY, false);
    window.EnableItem(IDC_TIME_ADD, false);
    FillServerList();
    return 1;
}

bool CTimeServerDlg::OnCommand(unsigned id) { return RouteEvent(id, kClicked); }

bool CTimeServerDlg::OnNotification(unsigned id, unsigned code) { return code != kClicked && RouteEvent(id, code); }

bool CTimeServerDlg::RouteEvent(unsigned id, unsigned code)
{
    for (const EventRoute& route : kRoutes) {
        if (route.id == id && route.code == code) {
            (this->*route.handler)();
            return true;
        }
    }
    return false;
}

void CTimeServerDlg::FillServerList()
{
    m_servers.clear();
    const ScopedRegKey key(m_registry, RegistryRoot::LocalMachine, kServersKey, kKeyRead);
    if (!key)
        return;

    // The current server's number is the default value's, looked up by its
    // name: the enumeration need not begin with it, and the key need not have one.
    RegistryValue value;
    std::int64_t current = 0;
    if (m_registry.QueryValue(key.Get(), "", kRegistryBufferSize, value) && IsTextType(value.type))
        current = ScanNumber(BytesAsText(value.data));

    // Every numbered value that holds an address, in the order of the
    // numbers. A value whose name or data does not fit, that holds no text
    // or only blanks, is passed over; the others still come.
    std::uint32_t count = 0;
    m_registry.CountValues(key.Get(), count);
    for (std::uint32_t index = 0; index < count; ++index) {
        std::string name;
        if (!m_registry.EnumValue(key.Get(), index, name, value) || !IsTextType(value.type))
            continue;
        const std::optional<std::uint32_t> number = ServerNumber(name);
        const std::string_view address = BytesAsText(value.data);
        if (number && !IsBlank(address))
            m_servers.push_back({*number, std::string(address)});
    }
    std::stable_sort(m_servers.begin(), m_servers.end(),
                     [](const Server& a, const Server& b) { return a.number < b.number; });
    for (const Server& server : m_servers)
        m_window->AddListEntry(IDC_TIME_SERVERS, server.address);
    const auto selected = std::find_if(m_servers.begin(), m_servers.end(),
                                       [current](const Server& server) { return server.number == current; });
    if (selected != m_servers.end())
        m_window->SelectListEntry(IDC_TIME_SERVERS, static_cast<int>(selected - m_servers.begin()));
}

std::uint32_t CTimeServerDlg::FreeNumber()
{
    // Numbers taken: every value of the key named by digits (however
    // written, as far as it can be read) and every server of the dialog,
    // so that two added servers never share one.
    std::vector<std::uint32_t> taken;
    std::int64_t highest = 0;
    for (const Server& server : m_servers) {
        taken.push_back(server.number);
        highest = std::max<std::int64_t>(highest, server.number);
    }
    if (const ScopedRegKey key(m_registry, RegistryRoot::LocalMachine, kServersKey, kKeyRead); key) {
        std::string name;
        for (std::uint32_t index = 0; m_registry.ValueName(key.Get(), index, name); ++index) {
            if (AllDigits(name))
                highest = std::max(highest, ScanNumber(name));
            if (const std::optional<std::uint32_t> number = ServerNumber(name))
                taken.push_back(*number);
        }
    }
    if (highest < kMaxNumber)
        return static_cast<std::uint32_t>(highest + 1);
    // No number above the highest is left: the lowest free one.
    std::uint32_t number = 1;
    while (std::find(taken.begin(), taken.end(), number) != taken.end())
        ++number;
    return number;
}

void CTimeServerDlg::OnApply()
{
    if (m_prompt.Show(Text(TextId::TimeServerQuestion, m_language), kPromptYesNo) != kAnswerYes)
        return;
    const int position = m_window->SelectedListEntry(IDC_TIME_SERVERS);
    // Without a server the time service could not work: nothing is written.
    if (position < 0 || position >= static_cast<int>(m_servers.size()))
        return;
    Server& server = m_servers[static_cast<std::size_t>(position)];
    if (server.number == 0)
        server.number = FreeNumber();
    const std::string number = std::to_string(server.number);

    const RegistryBinding& synchronisation = Synchronisation();
    if (const ScopedRegKey parameters(m_registry, synchronisation.root, synchronisation.keyPath, kKeyWrite); parameters) {
        WriteText(m_registry, parameters.Get(), "NtpServer", server.address + ",0x1");
        WriteText(m_registry, parameters.Get(), synchronisation.valueName, "NTP");
    }
    if (const ScopedRegKey servers(m_registry, RegistryRoot::LocalMachine, kServersKey, kKeyWrite); servers) {
        WriteText(m_registry, servers.Get(), "", number);
        WriteText(m_registry, servers.Get(), number, server.address);
    }
    const RegistryBinding& service = TimeService();
    if (const ScopedRegKey key(m_registry, service.root, service.keyPath, kKeyWrite); key) {
        const std::vector<std::uint8_t> automatic = DwordBytes(2);
        m_registry.SetValue(key.Get(), service.valueName, kRegDword, automatic.data(), 4);
    }
}

void CTimeServerDlg::OnAdd()
{
    const std::string address(FirstUtf16Units(m_window->ItemText(IDC_TIME_ADDRESS), kMaxAddress));
    // An empty address would make a time service configuration that cannot work.
    if (IsBlank(address))
        return;
    m_window->AddListEntry(IDC_TIME_SERVERS, address);
    m_servers.push_back({0, address});
}

void CTimeServerDlg::OnServerSelChange() { m_window->EnableItem(IDC_TIME_APPLY, true); }

void CTimeServerDlg::OnAddressChange() { m_window->EnableItem(IDC_TIME_ADD, true); }
