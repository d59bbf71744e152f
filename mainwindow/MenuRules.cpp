#include "mainwindow/MenuRules.h"

#include "app/ui/TextHelpers.h"
#include "resources/ResourceIds.h"

namespace {

struct SDialogCommand {
    int id;
    EDialogKind kind;
};

const SDialogCommand kDialogCommands[] = {
    {IDM_PROJECT_IMPORT, EDialogKind::Import},
    {IDM_PROJECT_EXPORT, EDialogKind::Export},
    {IDM_PROJECT_REPORT, EDialogKind::Report},
    {IDM_PROJECT_PROPERTIES, EDialogKind::ProjectProperties},
    {IDM_PROJECT_STATISTICS, EDialogKind::ProjectStatistics},
    {IDM_TIME_NEW_TALLYMARK, EDialogKind::NewTallymark},
    {IDM_TIME_MANAGE_TALLYMARKS, EDialogKind::ManageTallymarks},
    {IDM_OPTIONS_SETTINGS, EDialogKind::Settings},
    {IDM_HELP_ABOUT, EDialogKind::About},
    {IDM_HELP_TIP, EDialogKind::TipOfTheDay},
    {IDM_ACTIVITIES_MANAGE, EDialogKind::ManageActivities},
};

bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}

std::string LabelStart(size_t index, const std::string& name) {
    return std::string("&") + GetMenuListKey(index) + " - " + EscapeMenuText(name);
}

} // namespace

const std::vector<int>& GetMenuCommandIds() {
    static const std::vector<int> ids = {
        IDM_PROJECT_NEW,        IDM_PROJECT_OPEN,
        IDM_PROJECT_SAVE,       IDM_PROJECT_SAVE_AS,
        IDM_PROJECT_CLOSE,      IDM_PROJECT_IMPORT,
        IDM_PROJECT_EXPORT,     IDM_PROJECT_PROPERTIES,
        IDM_PROJECT_REPORT,     IDM_PROJECT_STATISTICS,
        IDM_PROJECT_EXIT,       IDM_ACTIVITIES_MANAGE,
        IDM_TIME_START,         IDM_TIME_STOP,
        IDM_TIME_NEW_TALLYMARK, IDM_TIME_MANAGE_TALLYMARKS,
        IDM_VIEW_HOUR,          IDM_VIEW_DAY,
        IDM_VIEW_WEEK,          IDM_VIEW_MONTH,
        IDM_VIEW_YEAR,          IDM_VIEW_WHOLE_PROJECT,
        IDM_VIEW_FULL,          IDM_VIEW_COMPACT,
        IDM_VIEW_HIDE,          IDM_VIEW_TOPMOST,
        IDM_OPTIONS_SETTINGS,   IDM_OPTIONS_PORTABLE,
        IDM_WINDOW_PREVIOUS,    IDM_WINDOW_NEXT,
        IDM_HELP_WINDOW,        IDM_HELP_TALLYMARKS,
        IDM_HELP_TIP,           IDM_HELP_UPDATES,
        IDM_HELP_SUPPORT,       IDM_HELP_ABOUT,
    };
    return ids;
}

bool IsMainMenuCommand(int id) {
    if (InRange(id, IDM_RECENT_FIRST, IDM_RECENT_LAST) ||
        InRange(id, IDM_WINDOW_FIRST, IDM_WINDOW_LAST)) {
        return true;
    }
    for (int command : GetMenuCommandIds()) {
        if (command == id) {
            return true;
        }
    }
    return false;
}

bool IsMenuCommandEnabled(int id, const SMenuFacts& facts) {
    if (InRange(id, IDM_RECENT_FIRST, IDM_RECENT_LAST)) {
        return static_cast<size_t>(id - IDM_RECENT_FIRST) < facts.numRecent;
    }
    if (InRange(id, IDM_WINDOW_FIRST, IDM_WINDOW_LAST)) {
        return static_cast<size_t>(id - IDM_WINDOW_FIRST) < facts.numProjects;
    }
    if (InRange(id, IDM_VIEW_HOUR, IDM_VIEW_WHOLE_PROJECT)) {
        // The shown kind cannot be chosen again.
        return id - IDM_VIEW_HOUR != facts.kind;
    }
    switch (id) {
    case IDM_PROJECT_SAVE:
        return facts.hasProject && facts.modified;
    case IDM_PROJECT_SAVE_AS:
    case IDM_PROJECT_CLOSE:
    case IDM_PROJECT_IMPORT:
    case IDM_PROJECT_EXPORT:
    case IDM_PROJECT_PROPERTIES:
    case IDM_PROJECT_STATISTICS:
    case IDM_TIME_MANAGE_TALLYMARKS:
    case IDM_ACTIVITIES_MANAGE:
        return facts.hasProject;
    case IDM_PROJECT_REPORT:
        return facts.hasProject && facts.committedHasActivities;
    case IDM_TIME_START:
        return facts.hasProject && facts.hasActivities && facts.selectedEnabled;
    case IDM_TIME_STOP:
        return facts.working;
    case IDM_TIME_NEW_TALLYMARK:
        return facts.hasProject && facts.hasActivities;
    case IDM_VIEW_FULL:
        return facts.displayKind != EDisplayMode::Full;
    case IDM_VIEW_COMPACT:
        return facts.displayKind != EDisplayMode::Compact;
    case IDM_OPTIONS_PORTABLE:
        return !facts.portable;
    case IDM_WINDOW_NEXT:
    case IDM_WINDOW_PREVIOUS:
        return facts.numProjects >= 2;
    default:
        return IsMainMenuCommand(id);
    }
}

bool IsMenuCommandChecked(int id, const SMenuFacts& facts) {
    if (InRange(id, IDM_VIEW_HOUR, IDM_VIEW_WHOLE_PROJECT)) {
        return id - IDM_VIEW_HOUR == facts.kind;
    }
    switch (id) {
    case IDM_VIEW_FULL:
        return facts.displayKind == EDisplayMode::Full;
    case IDM_VIEW_COMPACT:
        return facts.displayKind == EDisplayMode::Compact;
    case IDM_VIEW_TOPMOST:
        return facts.topMost;
    default:
        return false;
    }
}

bool GetMenuCommandDialog(int id, EDialogKind& kind) {
    for (const SDialogCommand& command : kDialogCommands) {
        if (command.id == id) {
            kind = command.kind;
            return true;
        }
    }
    return false;
}

char GetMenuListKey(size_t index) {
    if (index < 9) {
        return static_cast<char>('1' + index);
    }
    if (index < 9 + 26) {
        return static_cast<char>('a' + (index - 9));
    }
    return ' ';
}

std::string MakeRecentProjectLabel(size_t index, const std::string& name, const std::string& path) {
    return LabelStart(index, name) + " (" + EscapeMenuText(path) + ")";
}

std::string MakeOpenProjectLabel(size_t index, const std::string& name, bool modified, bool working,
                                 const std::string& workingWord) {
    std::string label = LabelStart(index, name);
    if (modified) {
        label += " *";
    }
    if (working) {
        label += "\t(" + EscapeMenuText(workingWord) + ")";
    }
    return label;
}
