// The registry contract on the in-memory store.
#include "platform/memory/memory_registry.h"
#include "tests/registry_contract.h"

namespace {

class MemoryRegistryEnv {
public:
    MemoryRegistryEnv() { m_registry.CreateKey(Root(), m_scratch); }
    ~MemoryRegistryEnv() { m_registry.RemoveTree(Root(), m_scratch); }

    IRegistry& Registry() { return m_registry; }
    static RegistryRoot Root() { return RegistryRoot::CurrentUser; }
    const std::string& Scratch() const { return m_scratch; }
    void CreateKey(std::string_view path) { m_registry.CreateKey(Root(), m_scratch + "\\" + std::string(path)); }

private:
    MemoryRegistry m_registry;
    std::string m_scratch = "Software\\VeilmarkContractTest";
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, ::testing::Types<MemoryRegistryEnv>);
