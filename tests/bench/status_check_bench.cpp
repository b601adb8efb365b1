// The cost of one status check: 17 registry lookups and the image updates,
// on the in-memory registry and tree.
#include <benchmark/benchmark.h>

#include "tests/memory_main_dlg.h"

namespace {

void BM_CheckSystemStatus(benchmark::State& state)
{
    MemoryMainDlg m;
    // A realistic registry: every value the check reads is present.
    m.registry.PutDword(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting", "DoReport", 1);
    for (const CatalogueEntry& entry : Catalogue())
        if (entry.binding.keyPath && entry.binding.type == kRegDword)
            m.registry.PutDword(entry.binding.root, entry.binding.keyPath, entry.binding.valueName, 1);
        else if (entry.binding.keyPath)
            m.registry.PutText(entry.binding.root, entry.binding.keyPath, entry.binding.valueName, "x");
    m.Build();
    for (auto _ : state)
        m.dialog.CheckSystemStatus();
}
BENCHMARK(BM_CheckSystemStatus)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
