#include "model/ILastProjectFolder.h"

#include "model/CMemoryLastProjectFolder.h"

namespace {

CMemoryLastProjectFolder g_memoryKeeper;
ILastProjectFolder* g_keeper = nullptr;

} // namespace

ILastProjectFolder& ILastProjectFolder::GetCurrent() {
    return g_keeper != nullptr ? *g_keeper : g_memoryKeeper;
}

void ILastProjectFolder::SetCurrent(ILastProjectFolder* keeper) {
    g_keeper = keeper;
}
