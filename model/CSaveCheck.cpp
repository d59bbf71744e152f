#include "model/CSaveCheck.h"

#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/ProjectFileLimits.h"
#include "model/ProjectFileValues.h"
#include "resources/ResourceIds.h"

#include <string>

namespace {

// A date as the user knows it, or "?" for one that cannot be read.
std::string LocalText(const CDateTime& utc) {
    const std::string text =
        utc.IsValid() ? FormatFileDateTime(utc.UtcToLocal(CModelTimeZone::Get())) : std::string();
    return text.empty() ? "?" : text;
}

} // namespace

CText CSaveCheck::FindRefusal(CProjectState& state) {
    if (const CActivity* deep = FindTooDeep(state.GetRootActivity())) {
        return DescribeTooDeep(*deep);
    }
    if (const CTallymark* unstorable = FindUnstorable(state)) {
        return Describe(*unstorable);
    }
    return CText();
}

CActivity* CSaveCheck::FindTooDeep(CActivity* root) {
    for (CActivity* activity = root->GetNextInSubtree(root); activity != nullptr;
         activity = activity->GetNextInSubtree(root)) {
        if (activity->GetDepth() > kMaxActivityDepth) {
            return activity;
        }
    }
    return nullptr;
}

CTallymark* CSaveCheck::FindUnstorable(CProjectState& state) {
    return FindUnstorable(state.GetRootActivity());
}

CTallymark* CSaveCheck::FindUnstorable(CActivity* activity) {
    CTallymarks& tallymarks = activity->GetTallymarks();
    for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
         tallymark = tallymarks.GetNext()) {
        if (!CTallymark::CanHold(tallymark->GetStart()) ||
            (!tallymark->IsOpen() && !CTallymark::CanHold(tallymark->GetEnd(false)))) {
            return tallymark;
        }
    }
    for (CActivity* child = activity->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        if (CTallymark* found = FindUnstorable(child)) {
            return found;
        }
    }
    return nullptr;
}

CText CSaveCheck::Describe(const CTallymark& tallymark) {
    std::string path;
    for (const CActivity* activity = tallymark.GetActivity();
         activity != nullptr && activity->GetParent() != nullptr;
         activity = activity->GetParent()) {
        path = path.empty() ? activity->GetName() : activity->GetName() + "\\" + path;
    }
    CText text(IDS_SAVE_UNSTORABLE_DATE);
    text.ReplaceWithString("[ACTIVITY]", path, true);
    text.ReplaceWithString("[START]", LocalText(tallymark.GetStart()), true);
    text.ReplaceWithString("[END]",
                           tallymark.IsOpen() ? CText(IDS_WORKING).GetString()
                                              : LocalText(tallymark.GetEnd(false)),
                           true);
    return text;
}

CText CSaveCheck::DescribeTooDeep(const CActivity& activity) {
    CText text(IDS_SAVE_TOO_DEEP);
    // The name, not the path: a path of more than a thousand names says nothing.
    text.ReplaceWithString("[ACTIVITY]", activity.GetName(), true);
    text.ReplaceWithNumber("[DEPTH]", activity.GetDepth(), true);
    text.ReplaceWithNumber("[MAX]", kMaxActivityDepth, true);
    return text;
}
