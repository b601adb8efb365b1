#include "platform/memory/memory_registry.h"

#include <algorithm>

#include "platform/utf8.h"

namespace {

// The rights within an access mask that the operations need.
constexpr std::uint32_t kQueryRight = 0x0001;  // KEY_QUERY_VALUE
constexpr std::uint32_t kSetRight = 0x0002;    // KEY_SET_VALUE

RegKey ToHandle(std::uintptr_t id) { return reinterpret_cast<RegKey>(id); }
std::uintptr_t FromHandle(RegKey key) { return reinterpret_cast<std::uintptr_t>(key); }

}  // namespace

std::uint32_t RegistryDataSize(std::uint32_t type, const std::vector<std::uint8_t>& data)
{
    if (!IsTextType(type))
        return static_cast<std::uint32_t>(data.size());
    return static_cast<std::uint32_t>(
        Utf16Length(std::string_view(reinterpret_cast<const char*>(data.data()), data.size())));
}

MemoryRegistry::MemoryRegistry()
{
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine, RegistryRoot::ClassesRoot})
        m_keys[FoldedPath(root, {})];
}

std::string MemoryRegistry::FoldedPath(RegistryRoot root, std::string_view path)
{
    std::string folded(1, static_cast<char>('0' + static_cast<int>(root)));
    if (!path.empty())
        folded.push_back('\\');
    for (char c : path)
        folded.push_back(FoldAscii(c));
    return folded;
}

void MemoryRegistry::CreateKey(RegistryRoot root, std::string_view path)
{
    if (root == RegistryRoot::None)
        return;
    // Every ancestor exists too.
    for (std::size_t end = path.find('\\'); end != std::string_view::npos; end = path.find('\\', end + 1))
        m_keys[FoldedPath(root, path.substr(0, end))];
    m_keys[FoldedPath(root, path)];
}

void MemoryRegistry::Put(RegistryRoot root, std::string_view path, std::string_view name, std::uint32_t type,
                         std::vector<std::uint8_t> data)
{
    CreateKey(root, path);
    Store(m_keys[FoldedPath(root, path)], name, {type, std::move(data)});
}

void MemoryRegistry::PutDword(RegistryRoot root, std::string_view path, std::string_view name,
                              std::uint32_t number)
{
    Put(root, path, name, kRegDword, DwordBytes(number));
}

void MemoryRegistry::PutText(RegistryRoot root, std::string_view path, std::string_view name,
                             std::string_view text)
{
    Put(root, path, name, kRegSz, TextBytes(text));
}

bool MemoryRegistry::HasKey(RegistryRoot root, std::string_view path) const
{
    return m_keys.count(FoldedPath(root, path)) != 0;
}

std::optional<RegistryValue> MemoryRegistry::Get(RegistryRoot root, std::string_view path,
                                                 std::string_view name) const
{
    auto key = m_keys.find(FoldedPath(root, path));
    if (key == m_keys.end())
        return std::nullopt;
    const auto named = Find(key->second, name);
    return named == key->second.values.end() ? std::nullopt : std::optional<RegistryValue>(named->value);
}

std::vector<std::string> MemoryRegistry::ValueNames(RegistryRoot root, std::string_view path) const
{
    std::vector<std::string> names;
    if (const auto key = m_keys.find(FoldedPath(root, path)); key != m_keys.end())
        for (const NamedValue& named : key->second.values)
            names.push_back(named.name);
    return names;
}

void MemoryRegistry::RemoveTree(RegistryRoot root, std::string_view path)
{
    const std::string folded = FoldedPath(root, path);
    m_keys.erase(folded);
    const std::string below = folded + '\\';
    for (auto it = m_keys.lower_bound(below); it != m_keys.end() && it->first.starts_with(below);)
        it = m_keys.erase(it);
}

void MemoryRegistry::DenyAccess(RegistryRoot root, std::string_view path)
{
    m_denied.insert(FoldedPath(root, path));
}

MemoryRegistry::Key* MemoryRegistry::KeyAt(const std::string& folded)
{
    auto it = m_keys.find(folded);
    return it == m_keys.end() ? nullptr : &it->second;
}

MemoryRegistry::Key* MemoryRegistry::Resolve(RegKey handle, std::uint32_t right, std::string* folded)
{
    auto open = m_open.find(FromHandle(handle));
    if (open == m_open.end() || (open->second.access & right) != right)
        return nullptr;
    if (folded)
        *folded = open->second.path;
    // A key deleted while open takes no more operations.
    return KeyAt(open->second.path);
}

std::vector<MemoryRegistry::NamedValue>::const_iterator MemoryRegistry::Find(const Key& key, std::string_view name)
{
    return std::find_if(key.values.begin(), key.values.end(),
                        [name](const NamedValue& named) { return EqualsIgnoringCase(named.name, name); });
}

void MemoryRegistry::Store(Key& key, std::string_view name, RegistryValue value)
{
    const auto existing = Find(key, name);
    if (existing == key.values.end())
        key.values.push_back({std::string(name), std::move(value)});
    else
        key.values[static_cast<std::size_t>(existing - key.values.begin())].value = std::move(value);
}

OpenResult MemoryRegistry::OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key)
{
    key = nullptr;
    if (root == RegistryRoot::None)
        return OpenResult::Missing;
    std::string folded = FoldedPath(root, path);
    if (!KeyAt(folded))
        return OpenResult::Missing;
    if (m_denied.count(folded))
        return OpenResult::Refused;
    const std::uintptr_t id = m_nextHandle++;
    m_open[id] = {std::move(folded), access};
    key = ToHandle(id);
    return OpenResult::Opened;
}

bool MemoryRegistry::QueryValue(RegKey handle, std::string_view name, std::uint32_t capacity,
                                RegistryValue& value)
{
    const Key* key = Resolve(handle, kQueryRight);
    if (!key)
        return false;
    const auto named = Find(*key, name);
    if (named == key->values.end() || RegistryDataSize(named->value.type, named->value.data) > capacity)
        return false;
    value = named->value;
    return true;
}

bool MemoryRegistry::SetValue(RegKey handle, std::string_view name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size)
{
    Key* key = Resolve(handle, kSetRight);
    if (!key || (size != 0 && !data))
        return false;
    Store(*key, name, {type, std::vector<std::uint8_t>(data, data + size)});
    return true;
}

bool MemoryRegistry::DeleteValue(RegKey handle, std::string_view name)
{
    Key* key = Resolve(handle, kSetRight);
    if (!key)
        return false;
    const auto named = Find(*key, name);
    if (named == key->values.end())
        return false;
    key->values.erase(named);
    return true;
}

bool MemoryRegistry::DeleteKey(RegKey parent, std::string_view subkey)
{
    std::string parentPath;
    if (subkey.empty() || !Resolve(parent, 0, &parentPath))
        return false;
    std::string folded = parentPath + '\\';
    for (char c : subkey)
        folded.push_back(FoldAscii(c));
    auto it = m_keys.find(folded);
    if (it == m_keys.end() || m_denied.count(folded))
        return false;
    // A key that still has subkeys cannot be deleted.
    const std::string below = folded + '\\';
    auto child = m_keys.lower_bound(below);
    if (child != m_keys.end() && child->first.starts_with(below))
        return false;
    m_keys.erase(it);
    return true;
}

bool MemoryRegistry::CountValues(RegKey handle, std::uint32_t& count)
{
    Key* key = Resolve(handle, kQueryRight);
    if (!key)
        return false;
    count = static_cast<std::uint32_t>(key->values.size());
    return true;
}

bool MemoryRegistry::EnumValue(RegKey handle, std::uint32_t index, std::string& name, RegistryValue& value)
{
    Key* key = Resolve(handle, kQueryRight);
    if (!key || index >= key->values.size())
        return false;
    const NamedValue& named = key->values[index];
    if (Utf16Length(named.name) >= kRegistryBufferSize ||
        RegistryDataSize(named.value.type, named.value.data) > kRegistryBufferSize)
        return false;
    name = named.name;
    value = named.value;
    return true;
}

bool MemoryRegistry::CreateKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key)
{
    CreateKey(root, path);
    return OpenKey(root, path, access, key) == OpenResult::Opened;
}

bool MemoryRegistry::ValueName(RegKey handle, std::uint32_t index, std::string& name)
{
    Key* key = Resolve(handle, kQueryRight);
    if (!key || index >= key->values.size())
        return false;
    name = key->values[index].name;
    return true;
}

void MemoryRegistry::CloseKey(RegKey key) { m_open.erase(FromHandle(key)); }
