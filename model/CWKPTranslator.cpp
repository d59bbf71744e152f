#include "model/CWKPTranslator.h"

#include "library/files/CDataStream.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/ProjectFileLimits.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

const char kSignature[] = "TallymarksProject";
const uint32_t kSignatureLength = sizeof kSignature - 1;

// A start must be a date; an end a date or exactly the null date of a running tally mark.
// Anything else (NaN, infinities, values beyond the calendar) would break the date index.
bool AreDatesUsable(const CDateTime& start, const CDateTime& end) {
    return start.IsValid() && (end.IsValid() || end == CTallymark::GetNullDate());
}

// Reads one activity's record up to its child count into activity, which it overwrites:
// enabled flag, name, tally marks. False when the data ran out or holds unusable dates.
bool ReadRecord(CDataStream& stream, CActivity& activity, int32_t& childCount) {
    bool enabled;
    std::string name;
    if (!stream.ReadBool(enabled) || !stream.ReadString(name)) {
        return false;
    }
    activity.SetEnabled(enabled);
    activity.SetName(name);

    CTallymarks& tallymarks = activity.GetTallymarks();
    tallymarks.Clear();
    int32_t tallymarkCount;
    if (!stream.ReadInt(tallymarkCount)) {
        return false;
    }
    // Every tally mark takes its 16 bytes from the stream before anything is made of
    // it, so a damaged count runs out of data instead of memory.
    for (int32_t i = 0; i < tallymarkCount; ++i) {
        double start;
        double end;
        if (!stream.ReadDouble(start) || !stream.ReadDouble(end)) {
            // The partly read tally mark stays, with null dates, beside the others read.
            tallymarks.Add(new CTallymark(&activity));
            return false;
        }
        if (!AreDatesUsable(CDateTime(start), CDateTime(end))) {
            return false;
        }
        tallymarks.Add(new CTallymark(&activity, CDateTime(start), CDateTime(end)));
    }
    return stream.ReadInt(childCount);
}

// Writes one activity's record up to its child count.
void WriteRecord(CDataStream& stream, CActivity& activity) {
    stream.WriteBool(activity.IsEnabled());
    stream.WriteString(activity.GetName(), true);
    CTallymarks& tallymarks = activity.GetTallymarks();
    stream.WriteInt(static_cast<int32_t>(tallymarks.GetCount()));
    for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
         tallymark = tallymarks.GetNext()) {
        stream.WriteDouble(tallymark->GetStart().GetValue());
        // The stored end: a running tally mark keeps the null date.
        stream.WriteDouble(tallymark->GetEnd(false).GetValue());
    }
    stream.WriteInt(activity.GetNumChildren());
}

} // namespace

ETranslatorResult CWKPTranslator::Identify() {
    char signature[kSignatureLength];
    if (!m_stream.ReadBytes(signature, kSignatureLength) ||
        std::memcmp(signature, kSignature, kSignatureLength) != 0) {
        return trNotThisFormat;
    }
    uint32_t packed;
    if (!m_stream.ReadUInt(packed)) {
        return trDamaged;
    }
    CFileVersion version;
    version.SetPacked(packed);
    return CheckVersion(version);
}

ETranslatorResult CWKPTranslator::Load() {
    std::string name;
    if (!m_stream.ReadString(name)) {
        return trDamaged;
    }
    m_state.SetName(name);

    // The records are a depth-first dump: each activity's record is followed by those of
    // its children. The levels whose children are still being read, innermost last, with
    // the number of child records each still expects; its size is the depth of the
    // activity being read, so the walk needs no recursion.
    std::vector<std::pair<CActivity*, int32_t>> levels;
    CActivity* activity = m_state.GetRootActivity();
    for (;;) {
        int32_t childCount;
        if (!ReadRecord(m_stream, *activity, childCount)) {
            return trDamaged;
        }
        if (childCount > 0) {
            // The children would lie one level below the activity just read, whose depth
            // is the number of open levels.
            if (levels.size() >= static_cast<std::size_t>(kMaxActivityDepth)) {
                return trDamaged;
            }
            levels.emplace_back(activity, childCount);
        }
        while (!levels.empty() && levels.back().second == 0) {
            levels.pop_back();
        }
        if (levels.empty()) {
            return trOK;
        }
        --levels.back().second;
        activity = new CActivity(&m_state, std::string(), false);
        levels.back().first->AddChildActivity(activity, -1);
    }
}

void CWKPTranslator::Save() {
    m_stream.WriteBytes(kSignature, kSignatureLength);
    m_stream.WriteUInt(CFileVersion::GetFormatVersion().GetPacked());
    m_stream.WriteString(m_state.GetName(), true);

    // Each record is written whole before its children's, in tree order: a walk in
    // pre-order yields exactly the nesting of the records, without recursion.
    CActivity* root = m_state.GetRootActivity();
    CActivity* activity = root;
    while (activity != nullptr) {
        WriteRecord(m_stream, *activity);
        if (activity->GetFirstChild() != nullptr) {
            activity = activity->GetFirstChild();
            continue;
        }
        while (activity != root && activity->GetNextSibling() == nullptr) {
            activity = activity->GetParent();
        }
        activity = activity == root ? nullptr : activity->GetNextSibling();
    }
}
