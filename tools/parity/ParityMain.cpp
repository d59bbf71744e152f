// ResourceParity: checks a language module against the program's own resources.
//
//   tm_resource_parity.exe PROGRAM MODULE   every difference a user would see between
//                                           the two, and the module's texts that do not
//                                           fit their controls
//   tm_resource_parity.exe --fit FILE       only the texts of FILE that do not fit
//
// Exit codes: 0 nothing found, 1 differences or texts that do not fit, 2 usage or a file
// that cannot be read.

#include "CFitCheck.h"
#include "CModuleResources.h"
#include "CParityCheck.h"

#include <cstdio>
#include <cstring>

namespace {

void Print(const char* heading, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        printf("%s: %s\n", heading, line.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s PROGRAM MODULE | --fit FILE\n", argv[0]);
        return 2;
    }
    const bool fitOnly = strcmp(argv[1], "--fit") == 0;
    CModuleResources program;
    CModuleResources module;
    if (!fitOnly && !program.Load(argv[1])) {
        fprintf(stderr, "%s: %s\n", argv[1], program.GetError().c_str());
        return 2;
    }
    if (!module.Load(argv[2])) {
        fprintf(stderr, "%s: %s\n", argv[2], module.GetError().c_str());
        return 2;
    }
    printf("%s: %u texts, %u dialogs, %u menus, %u layout numbers\n", argv[2],
           static_cast<unsigned>(module.strings.size()),
           static_cast<unsigned>(module.dialogs.size()), static_cast<unsigned>(module.menus.size()),
           static_cast<unsigned>(module.data.size()));
    std::vector<std::string> differences;
    if (!fitOnly) {
        differences = CParityCheck(program, module).Run();
        Print("difference", differences);
    }
    const std::vector<std::string> misfits = CFitCheck::Run(module.GetHandle());
    Print("does not fit", misfits);
    printf("%s: %u differences, %u texts that do not fit\n", argv[2],
           static_cast<unsigned>(differences.size()), static_cast<unsigned>(misfits.size()));
    fflush(stdout);
    return differences.empty() && misfits.empty() ? 0 : 1;
}
