#include "mainwindow/CDialogLauncher.h"

#include <map>

namespace {

struct SRegistry {
    std::map<EDialogKind, SDialogKindEntry> kinds;
    SDialogIdentity inactivityDialog = {};
    CDialogLauncher::InactivityDialogFactory inactivityFactory;
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

void CDialogLauncher::RegisterInactivityDialog(const SDialogIdentity& identity,
                                               InactivityDialogFactory factory) {
    Registry().inactivityDialog = identity;
    Registry().inactivityFactory = std::move(factory);
}

const CDialogLauncher::InactivityDialogFactory& CDialogLauncher::GetInactivityDialog() {
    return Registry().inactivityFactory;
}

const SDialogIdentity& CDialogLauncher::GetInactivityDialogIdentity() {
    return Registry().inactivityDialog;
}

void CDialogLauncher::Clear() {
    Registry().kinds.clear();
    Registry().inactivityDialog = {};
    Registry().inactivityFactory = nullptr;
}
