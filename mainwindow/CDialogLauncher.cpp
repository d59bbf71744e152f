#include "mainwindow/CDialogLauncher.h"

#include <map>

namespace {

struct SRegistry {
    std::map<EDialogKind, SDialogKindEntry> kinds;
    int32_t inactivityDialogId = 0;
    CDialogLauncher::InactivityDialogFactory inactivityDialog;
};

// Built on first use and never destroyed, so that no window outlives it at exit.
SRegistry& Registry() {
    static SRegistry* registry = new SRegistry();
    return *registry;
}

} // namespace

void CDialogLauncher::Register(EDialogKind kind, SDialogKindEntry entry) {
    Registry().kinds[kind] = std::move(entry);
}

const SDialogKindEntry* CDialogLauncher::Find(EDialogKind kind) {
    const auto& kinds = Registry().kinds;
    auto found = kinds.find(kind);
    return found == kinds.end() || !found->second.make ? nullptr : &found->second;
}

void CDialogLauncher::RegisterInactivityDialog(int32_t dialogId, InactivityDialogFactory factory) {
    Registry().inactivityDialogId = dialogId;
    Registry().inactivityDialog = std::move(factory);
}

const CDialogLauncher::InactivityDialogFactory& CDialogLauncher::GetInactivityDialog() {
    return Registry().inactivityDialog;
}

int32_t CDialogLauncher::GetInactivityDialogId() {
    return Registry().inactivityDialogId;
}

void CDialogLauncher::Clear() {
    Registry().kinds.clear();
    Registry().inactivityDialogId = 0;
    Registry().inactivityDialog = nullptr;
}
