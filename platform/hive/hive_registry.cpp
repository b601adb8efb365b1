#include "platform/hive/hive_registry.h"

#include <hivex.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/utf8.h"

namespace {

// The rights within an access mask that the operations need.
constexpr std::uint32_t kQueryRight = 0x0001;  // KEY_QUERY_VALUE
constexpr std::uint32_t kSetRight = 0x0002;    // KEY_SET_VALUE

struct FreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};
template <typename T>
using Owned = std::unique_ptr<T, FreeDeleter>;

bool IsAscii(std::string_view name)
{
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::vector<std::string_view> Components(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const std::size_t slash = path.find('\\');
        parts.push_back(path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return parts;
}

// A value of the key, read whole.
struct StoredValue {
    std::string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// A value's type travels through hive_type, an enum that names only the
// types Windows defines; any other number a hive holds is kept as stored,
// through the enum's storage, never read as the enum.
using RawType = std::underlying_type_t<hive_type>;
static_assert(sizeof(RawType) == sizeof(hive_type));

bool ReadStored(hive_h* hive, hive_value_h handle, StoredValue& value)
{
    const Owned<char> name(hivex_value_key(hive, handle));
    RawType type = 0;
    std::size_t size = 0;
    const Owned<char> data(hivex_value_value(hive, handle, reinterpret_cast<hive_type*>(&type), &size));
    if (!name || (!data && size != 0))
        return false;
    value.name = name.get();
    value.type = static_cast<std::uint32_t>(type);
    value.data.assign(data.get(), data.get() + size);
    return true;
}

// Every value of the key, in the order the hive keeps them.
bool ReadAll(hive_h* hive, std::size_t node, std::vector<StoredValue>& values)
{
    const Owned<hive_value_h> handles(hivex_node_values(hive, node));
    if (!handles)
        return false;
    values.clear();
    for (const hive_value_h* at = handles.get(); *at; ++at) {
        values.emplace_back();
        if (!ReadStored(hive, *at, values.back()))
            return false;
    }
    return true;
}

bool WriteAll(HiveFile& file, std::size_t node, const std::vector<StoredValue>& values)
{
    std::vector<hive_set_value> set(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        set[i].key = const_cast<char*>(values[i].name.c_str());
        const auto type = static_cast<RawType>(values[i].type);
        std::memcpy(&set[i].t, &type, sizeof type);
        set[i].len = values[i].data.size();
        set[i].value = reinterpret_cast<char*>(const_cast<std::uint8_t*>(values[i].data.data()));
    }
    if (hivex_node_set_values(file.Handle(), node, set.size(), set.data(), 0) != 0)
        return false;
    file.Touch(node);
    return true;
}

// Whether stored data fits the caller's capacity: text in UTF-16 units,
// everything else in bytes.
bool Fits(std::uint32_t type, std::size_t size, std::uint32_t capacity)
{
    return size <= (IsTextType(type) ? std::size_t{capacity} * 2 : std::size_t{capacity});
}

// Stored data as the port passes it on: text as UTF-8, every unit converted
// (zeros too), an odd trailing byte dropped.
void FromStored(const StoredValue& stored, RegistryValue& value)
{
    value.type = stored.type;
    if (!IsTextType(stored.type)) {
        value.data = stored.data;
        return;
    }
    const std::string text = FromUtf16LeBytes(stored.data.data(), stored.data.size());
    value.data.assign(text.begin(), text.end());
}

// The child of `node` named `name`; 0 with `damaged` set when the hive
// cannot say.
std::size_t Child(hive_h* hive, std::size_t node, std::string_view name, bool& damaged)
{
    errno = 0;
    const std::size_t child = hivex_node_get_child(hive, node, std::string(name).c_str());
    damaged = child == 0 && errno != 0;
    return child;
}

// Walks from the root of `hive` down `parts`; with `create`, making the
// keys that are missing.
OpenResult Walk(HiveFile* hive, const std::vector<std::string_view>& parts, bool create, std::size_t& node)
{
    if (!hive)
        return OpenResult::Missing;
    hive_h* handle = hive->Handle();
    node = hivex_root(handle);
    for (std::string_view part : parts) {
        if (part.empty())
            return OpenResult::Missing;
        bool damaged = false;
        std::size_t child = Child(handle, node, part, damaged);
        if (damaged)
            return OpenResult::Refused;
        if (!child && create && IsAscii(part)) {
            child = hivex_node_add_child(handle, node, std::string(part).c_str());
            if (!child)
                return OpenResult::Refused;
            hive->Touch(node);
        }
        if (!child)
            return OpenResult::Missing;
        node = child;
    }
    return OpenResult::Opened;
}

}  // namespace

OpenResult HiveRegistry::Locate(RegistryRoot root, std::string_view path, bool create, Place& place)
{
    std::vector<std::string_view> parts = Components(path);
    switch (root) {
    case RegistryRoot::CurrentUser:
        place.hive = m_mounts.user;
        break;
    case RegistryRoot::LocalMachine:
        if (parts.empty())
            return OpenResult::Missing;
        if (EqualsIgnoringCase(parts[0], "SOFTWARE")) {
            place.hive = m_mounts.software;
        } else if (EqualsIgnoringCase(parts[0], "SYSTEM")) {
            place.hive = m_mounts.system;
            if (parts.size() > 1 && EqualsIgnoringCase(parts[1], "CurrentControlSet"))
                parts[1] = m_mounts.currentControlSet;
        }
        parts.erase(parts.begin());
        break;
    case RegistryRoot::ClassesRoot:
        // The user's classes first; a key they lack is the machine's. Keys
        // are made in the machine's, as Windows makes them.
        if (!create) {
            place.hive = m_mounts.userClasses;
            if (const OpenResult found = Walk(place.hive, parts, false, place.node); found != OpenResult::Missing)
                return found;
        }
        place.hive = m_mounts.software;
        parts.insert(parts.begin(), "Classes");
        break;
    case RegistryRoot::None:
        return OpenResult::Missing;
    }
    return Walk(place.hive, parts, create, place.node);
}

RegKey HiveRegistry::Remember(const Place& place, std::uint32_t access)
{
    const std::uintptr_t id = m_nextHandle++;
    m_open[id] = {place, access};
    return reinterpret_cast<RegKey>(id);
}

const HiveRegistry::Place* HiveRegistry::Resolve(RegKey handle, std::uint32_t right) const
{
    const auto open = m_open.find(reinterpret_cast<std::uintptr_t>(handle));
    if (open == m_open.end() || !open->second.place.hive || (open->second.access & right) != right)
        return nullptr;
    return &open->second.place;
}

OpenResult HiveRegistry::OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key)
{
    key = nullptr;
    Place place;
    const OpenResult result = Locate(root, path, false, place);
    if (result == OpenResult::Opened)
        key = Remember(place, access);
    return result;
}

bool HiveRegistry::CreateKey(RegistryRoot root, std::string_view path, std::uint32_t access, RegKey& key)
{
    key = nullptr;
    Place place;
    if (Locate(root, path, true, place) != OpenResult::Opened)
        return false;
    key = Remember(place, access);
    return true;
}

bool HiveRegistry::QueryValue(RegKey key, std::string_view name, std::uint32_t capacity, RegistryValue& value)
{
    const Place* place = Resolve(key, kQueryRight);
    if (!place)
        return false;
    hive_h* hive = place->hive->Handle();
    const hive_value_h handle = hivex_node_get_value(hive, place->node, std::string(name).c_str());
    StoredValue stored;
    if (!handle || !ReadStored(hive, handle, stored) || !Fits(stored.type, stored.data.size(), capacity))
        return false;
    FromStored(stored, value);
    return true;
}

bool HiveRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t size)
{
    const Place* place = Resolve(key, kSetRight);
    if (!place || (!data && size != 0))
        return false;
    std::vector<StoredValue> values;
    if (!ReadAll(place->hive->Handle(), place->node, values))
        return false;
    StoredValue stored{std::string(name), type, {}};
    if (IsTextType(type))
        stored.data = Utf16LeBytes({reinterpret_cast<const char*>(data), size});
    else
        stored.data.assign(data, data + size);
    bool replaced = false;
    for (StoredValue& value : values) {
        if (!replaced && EqualsIgnoringCase(value.name, name)) {
            stored.name = value.name;  // the spelling it has
            value = stored;
            replaced = true;
        }
    }
    if (!replaced)
        values.push_back(stored);
    return WriteAll(*place->hive, place->node, values);
}

bool HiveRegistry::DeleteValue(RegKey key, std::string_view name)
{
    const Place* place = Resolve(key, kSetRight);
    std::vector<StoredValue> values;
    if (!place || !ReadAll(place->hive->Handle(), place->node, values))
        return false;
    const std::size_t before = values.size();
    std::erase_if(values, [name](const StoredValue& value) { return EqualsIgnoringCase(value.name, name); });
    return values.size() != before && WriteAll(*place->hive, place->node, values);
}

bool HiveRegistry::DeleteKey(RegKey parent, std::string_view subkey)
{
    const Place* place = Resolve(parent, 0);
    if (!place || subkey.empty() || subkey.find('\\') != std::string_view::npos)
        return false;
    HiveFile* file = place->hive;
    const std::size_t parentNode = place->node;
    bool damaged = false;
    const std::size_t child = Child(file->Handle(), parentNode, subkey, damaged);
    // hivex would delete the subkeys with it.
    if (!child || hivex_node_nr_children(file->Handle(), child) != 0 ||
        hivex_node_delete_child(file->Handle(), child) != 0)
        return false;
    file->Touch(parentNode);
    for (auto& [id, open] : m_open)
        if (open.place.hive == file && open.place.node == child)
            open.place.hive = nullptr;
    return true;
}

bool HiveRegistry::CountValues(RegKey key, std::uint32_t& count)
{
    const Place* place = Resolve(key, kQueryRight);
    if (!place)
        return false;
    errno = 0;
    const std::size_t values = hivex_node_nr_values(place->hive->Handle(), place->node);
    if (values == 0 && errno != 0)
        return false;
    count = static_cast<std::uint32_t>(values);
    return true;
}

bool HiveRegistry::EnumValue(RegKey key, std::uint32_t index, std::string& name, RegistryValue& value)
{
    const Place* place = Resolve(key, kQueryRight);
    std::vector<StoredValue> values;
    if (!place || !ReadAll(place->hive->Handle(), place->node, values) || index >= values.size())
        return false;
    const StoredValue& stored = values[index];
    if (Utf16Length(stored.name) >= kRegistryBufferSize || !Fits(stored.type, stored.data.size(), kRegistryBufferSize))
        return false;
    name = stored.name;
    FromStored(stored, value);
    return true;
}

bool HiveRegistry::ValueName(RegKey key, std::uint32_t index, std::string& name)
{
    const Place* place = Resolve(key, kQueryRight);
    if (!place)
        return false;
    const Owned<hive_value_h> handles(hivex_node_values(place->hive->Handle(), place->node));
    if (!handles)
        return false;
    for (std::uint32_t i = 0; handles.get()[i]; ++i) {
        if (i == index) {
            const Owned<char> stored(hivex_value_key(place->hive->Handle(), handles.get()[i]));
            if (!stored)
                return false;
            name = stored.get();
            return true;
        }
    }
    return false;
}

void HiveRegistry::CloseKey(RegKey key) { m_open.erase(reinterpret_cast<std::uintptr_t>(key)); }

std::vector<std::string> HiveRegistry::SubkeyNames(RegKey key) const
{
    std::vector<std::string> names;
    const Place* place = Resolve(key, kQueryRight);
    if (!place)
        return names;
    const Owned<hive_node_h> children(hivex_node_children(place->hive->Handle(), place->node));
    for (const hive_node_h* child = children.get(); child && *child; ++child)
        if (const Owned<char> name(hivex_node_name(place->hive->Handle(), *child)); name)
            names.emplace_back(name.get());
    return names;
}
