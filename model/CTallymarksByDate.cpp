#include "model/CTallymarksByDate.h"

#include "library/datetime/CCalendar.h"
#include "library/datetime/CTimeZoneConverter.h"
#include "model/CActivity.h"
#include "model/CModelTimeZone.h"
#include "model/CTallymark.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>

namespace {

// A well-mixed value of the dates of a closed tally mark; a sum of these is a digest of a
// set of tally marks that does not depend on their order.
std::uint64_t MixDates(const CTallymark& tallymark) {
    double dates[2] = {tallymark.GetStart().GetValue(), tallymark.GetEnd(false).GetValue()};
    std::uint64_t bits[2];
    std::memcpy(bits, dates, sizeof bits);
    std::uint64_t mixed = bits[0] * 0x9E3779B97F4A7C15ULL ^ (bits[1] + 0x632BE59BD9B4E019ULL);
    mixed ^= mixed >> 31;
    mixed *= 0xBF58476D1CE4E5B9ULL;
    mixed ^= mixed >> 29;
    return mixed;
}

// The digest and the number of the closed tally marks below root.
void DigestClosed(const CActivity* root, std::uint64_t& digest, std::size_t& count) {
    digest = 0;
    count = 0;
    CActivity* top = const_cast<CActivity*>(root);
    for (CActivity* activity = top->GetNextInSubtree(top); activity != nullptr;
         activity = activity->GetNextInSubtree(top)) {
        CTallymarks& tallymarks = activity->GetTallymarks();
        for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
             tallymark = tallymarks.GetNext()) {
            if (!tallymark->IsOpen()) {
                digest += MixDates(*tallymark);
                ++count;
            }
        }
    }
}

// The bits of a key as an unsigned number in the same order (zero of either sign alike).
std::uint64_t OrderedBits(double key) {
    if (key == 0.0) {
        key = 0.0;
    }
    std::uint64_t bits;
    std::memcpy(&bits, &key, sizeof bits);
    const std::uint64_t sign = 1ULL << 63;
    return (bits & sign) != 0 ? ~bits : bits | sign;
}

double KeyOfBits(std::uint64_t bits) {
    const std::uint64_t sign = 1ULL << 63;
    bits = (bits & sign) != 0 ? bits ^ sign : ~bits;
    double key;
    std::memcpy(&key, &bits, sizeof key);
    return key;
}

// Sorts entries into the order of STallymarkIndexEntry::operator<: a radix sort of the keys
// (a few passes over the entries, where a comparison sort makes twenty), then tally marks
// with equal keys by address.
void SortEntries(std::vector<STallymarkIndexEntry>& entries) {
    const std::size_t count = entries.size();
    if (count < 1024) {
        std::sort(entries.begin(), entries.end());
        return;
    }
    struct SItem {
        std::uint64_t bits;
        CTallymark* tallymark;
    };
    constexpr int kDigitBits = 16;
    constexpr std::size_t kBuckets = std::size_t(1) << kDigitBits;
    constexpr int kPasses = 64 / kDigitBits;
    std::vector<SItem> items(count), spare(count);
    std::vector<std::size_t> counts(kPasses * kBuckets, 0);
    for (std::size_t i = 0; i < count; ++i) {
        items[i] = {OrderedBits(entries[i].key), entries[i].tallymark};
        for (int pass = 0; pass < kPasses; ++pass) {
            ++counts[pass * kBuckets + ((items[i].bits >> (pass * kDigitBits)) & (kBuckets - 1))];
        }
    }
    for (int pass = 0; pass < kPasses; ++pass) {
        std::size_t* bucket = &counts[pass * kBuckets];
        const int shift = pass * kDigitBits;
        // A digit that all keys share orders nothing.
        if (bucket[(items[0].bits >> shift) & (kBuckets - 1)] == count) {
            continue;
        }
        std::size_t position = 0;
        for (std::size_t b = 0; b < kBuckets; ++b) {
            const std::size_t size = bucket[b];
            bucket[b] = position;
            position += size;
        }
        for (const SItem& item : items) {
            spare[bucket[(item.bits >> shift) & (kBuckets - 1)]++] = item;
        }
        items.swap(spare);
    }
    for (std::size_t first = 0; first < count;) {
        std::size_t last = first + 1;
        while (last < count && items[last].bits == items[first].bits) {
            ++last;
        }
        if (last - first > 1) {
            std::sort(items.begin() + first, items.begin() + last,
                      [](const SItem& a, const SItem& b) {
                          return std::less<CTallymark*>()(a.tallymark, b.tallymark);
                      });
        }
        for (std::size_t i = first; i < last; ++i) {
            entries[i] = {KeyOfBits(items[i].bits), items[i].tallymark};
        }
        first = last;
    }
}

} // namespace

CTallymarksByDate::CTallymarksByDate() : CTallymarksByDate(CModelTimeZone::Get()) {}

CTallymarksByDate::CTallymarksByDate(const CTimeZone& zone) : m_zone(zone) {}

CTallymarksByDate::~CTallymarksByDate() = default;

void CTallymarksByDate::SetDefaultTimeZone(const CTimeZone* zone) {
    CModelTimeZone::Set(zone);
}

void CTallymarksByDate::AttachTo(CActivity* root) {
    CSlot<CActivityAddedEvent>::Connect(root);
}

void CTallymarksByDate::AttachToCopy(CActivity* root, const CTallymarksByDate& original,
                                     const CActivity* originalRoot, CTallymark* running) {
    m_zone = original.m_zone;
    AttachTo(root);
    SCollected copy;
    copy.starts.reserve(original.m_byStart.GetSize());
    copy.ends.reserve(original.m_byEnd.GetSize());
    Collect(root, true, false, copy);
    // Counting days converts every date to local time: the original's counts serve when it
    // indexes exactly the closed tally marks that the copy holds (as many, with the same
    // dates). A tally mark reopened in the original keeps an end entry and so tells.
    std::uint64_t originalDigest = 0;
    std::size_t originalClosed = 0;
    DigestClosed(originalRoot, originalDigest, originalClosed);
    const bool same = !original.m_deferred && original.m_byEnd.GetSize() == copy.ends.size() &&
                      originalClosed == copy.ends.size() && originalDigest == copy.digest;
    Assign(copy.starts, copy.ends, running);
    if (same) {
        m_days = original.m_days;
    } else {
        CountAllDays(copy.ends);
    }
}

void CTallymarksByDate::Defer() {
    if (!m_fedByOwner) {
        CSlot<CTraceStartChangedEvent>::DisconnectAll();
        CSlot<CTraceEndChangedEvent>::DisconnectAll();
    }
    m_byStart.Clear();
    m_byEnd.Clear();
    m_running = nullptr;
    m_days = CDayCounts();
    m_deferred = true;
}

void CTallymarksByDate::Rebuild(CActivity* root, CTallymark* running) {
    if (!m_deferred) {
        return;
    }
    m_deferred = false;
    SCollected collected;
    Collect(root, false, true, collected);
    Assign(collected.starts, collected.ends, running);
    m_days = CDayCounts();
    m_days.AddEach(collected.days);
}

void CTallymarksByDate::Assign(std::vector<STallymarkIndexEntry>& starts,
                               std::vector<STallymarkIndexEntry>& ends, CTallymark* running) {
    SortEntries(starts);
    SortEntries(ends);
    m_byStart.Assign(starts);
    m_byEnd.Assign(ends);
    m_running = running != nullptr && running->IsOpen() ? running : nullptr;
}

void CTallymarksByDate::CountAllDays(const std::vector<STallymarkIndexEntry>& ends) {
    std::vector<std::pair<int, int>> spans;
    spans.reserve(ends.size());
    // The days that GetLocalDay gives, the zone's rules looked up once a year.
    CTimeZoneConverter toLocal(m_zone, true);
    for (const STallymarkIndexEntry& entry : ends) {
        const int first = toLocal.ConvertToDayNumber(entry.tallymark->GetStart());
        const int last = toLocal.ConvertToDayNumber(entry.tallymark->GetEnd(false));
        if (first != INT_MIN && last != INT_MIN) {
            spans.emplace_back(first, last);
        }
    }
    m_days = CDayCounts();
    m_days.AddEach(spans);
}

void CTallymarksByDate::Collect(CActivity* activity, bool connectCollections, bool countDays,
                                SCollected& collected) {
    // The days that GetLocalDay gives, the zone's rules looked up once a year.
    CTimeZoneConverter toLocal(m_zone, true);
    for (CActivity* child = activity->GetNextInSubtree(activity); child != nullptr;
         child = child->GetNextInSubtree(activity)) {
        CTallymarks& tallymarks = child->GetTallymarks();
        if (connectCollections) {
            CSlot<CTracesAddedEvent>::Connect(&tallymarks);
            CSlot<CTracesRemovedEvent>::Connect(&tallymarks);
        }
        for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
             tallymark = tallymarks.GetNext()) {
            collected.starts.push_back(MakeEntry(tallymark->GetStart(), tallymark));
            if (!tallymark->IsOpen()) {
                collected.ends.push_back(MakeEntry(tallymark->GetEnd(false), tallymark));
                collected.digest += MixDates(*tallymark);
                if (countDays) {
                    const int first = toLocal.ConvertToDayNumber(tallymark->GetStart());
                    const int last = toLocal.ConvertToDayNumber(tallymark->GetEnd(false));
                    if (first != INT_MIN && last != INT_MIN) {
                        collected.days.emplace_back(first, last);
                    }
                }
            }
            if (!m_fedByOwner) {
                CSlot<CTraceStartChangedEvent>::Connect(tallymark);
                CSlot<CTraceEndChangedEvent>::Connect(tallymark);
            }
        }
    }
}

void CTallymarksByDate::Detach() {
    CSlot<CTraceStartChangedEvent>::DisconnectAll();
    CSlot<CTraceEndChangedEvent>::DisconnectAll();
    CSlot<CTracesAddedEvent>::DisconnectAll();
    CSlot<CTracesRemovedEvent>::DisconnectAll();
    CSlot<CActivityAddedEvent>::DisconnectAll();
    m_byStart.Clear();
    m_byEnd.Clear();
    m_running = nullptr;
    m_days = CDayCounts();
}

CDateTime CTallymarksByDate::GetFirstStart() const {
    return m_byStart.IsEmpty() ? CTallymark::GetNullDate()
                               : m_byStart.GetFirst().tallymark->GetStart();
}

CDateTime CTallymarksByDate::GetLastEnd() const {
    CDateTime last =
        m_byEnd.IsEmpty() ? CTallymark::GetNullDate() : m_byEnd.GetLast().tallymark->GetEnd(false);
    if (m_running != nullptr) {
        const CDateTime now = CDateTime::Now(true);
        if (now > last) {
            last = now;
        }
    }
    return last;
}

bool CTallymarksByDate::HasTallymarksOn(const CDateTime& localDate) const {
    const int day = localDate.GetDayNumber();
    if (m_days.GetCount(day) > 0) {
        return true;
    }
    if (m_running == nullptr) {
        return false;
    }
    const int startDay = GetLocalDay(m_running->GetStart());
    return startDay != INT_MIN && day >= startDay && day <= GetLocalDay(CDateTime::Now(true));
}

bool CTallymarksByDate::OnTraceStartChanged(CTraceStartChangedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    if (!m_byStart.Erase(MakeEntry(event.oldStart, tallymark))) {
        return true;
    }
    m_byStart.Insert(MakeEntry(tallymark->GetStart(), tallymark));
    if (!tallymark->IsOpen()) {
        const CDateTime end = tallymark->GetEnd(false);
        CountDays(event.oldStart, end, -1);
        CountDays(tallymark->GetStart(), end, 1);
    }
    return true;
}

bool CTallymarksByDate::OnTraceEndChanged(CTraceEndChangedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    // An owner hands on the changes of every tally mark it hears; only indexed ones count.
    if (m_fedByOwner && !m_byStart.Contains(MakeEntry(tallymark->GetStart(), tallymark))) {
        return true;
    }
    // Also on closing: a tally mark that was reopened stands under the null date.
    m_byEnd.Erase(MakeEntry(event.oldEnd, tallymark));
    if (event.becameClosed) {
        if (m_running == tallymark) {
            m_running = nullptr;
        }
    } else {
        CountDays(tallymark->GetStart(), event.oldEnd, -1);
    }
    m_byEnd.Insert(MakeEntry(tallymark->GetEnd(false), tallymark));
    CountDays(tallymark->GetStart(), tallymark->GetEnd(false), 1);
    return true;
}

bool CTallymarksByDate::OnTracesAdded(CTracesAddedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    if (m_deferred || !m_byStart.Insert(MakeEntry(tallymark->GetStart(), tallymark))) {
        return true;
    }
    if (tallymark->IsOpen()) {
        m_running = tallymark;
    } else {
        m_byEnd.Insert(MakeEntry(tallymark->GetEnd(false), tallymark));
        CountDays(tallymark->GetStart(), tallymark->GetEnd(false), 1);
    }
    if (!m_fedByOwner) {
        CSlot<CTraceStartChangedEvent>::Connect(tallymark);
        CSlot<CTraceEndChangedEvent>::Connect(tallymark);
    }
    return true;
}

bool CTallymarksByDate::OnTracesRemoved(CTracesRemovedEvent& event) {
    CTallymark* tallymark = event.tallymark;
    if (!m_fedByOwner) {
        CSlot<CTraceStartChangedEvent>::Disconnect(tallymark);
        CSlot<CTraceEndChangedEvent>::Disconnect(tallymark);
    }
    if (!m_byStart.Erase(MakeEntry(tallymark->GetStart(), tallymark))) {
        return true;
    }
    if (m_running == tallymark) {
        m_running = nullptr;
    }
    // A reopened tally mark is open and still has an entry under the null date; days were
    // counted only for an entry under a real end (one whose change the index missed has
    // none).
    const bool hadEnd = m_byEnd.Erase(MakeEntry(tallymark->GetEnd(false), tallymark));
    if (hadEnd && !tallymark->IsOpen()) {
        CountDays(tallymark->GetStart(), tallymark->GetEnd(false), -1);
    }
    return true;
}

bool CTallymarksByDate::OnActivityAdded(CActivityAddedEvent& event) {
    if (event.isNew) {
        CTallymarks& tallymarks = event.activity->GetTallymarks();
        CSlot<CTracesAddedEvent>::Connect(&tallymarks);
        CSlot<CTracesRemovedEvent>::Connect(&tallymarks);
    }
    return true;
}

STallymarkIndexEntry CTallymarksByDate::MakeEntry(const CDateTime& date, CTallymark* tallymark) {
    const double value = date.GetValue();
    // NaN has no place in an order; infinities keep theirs.
    if (!std::isfinite(value)) {
        return {std::isnan(value) ? -HUGE_VAL : value, tallymark};
    }
    return {CCalendar::ToLinear(value), tallymark};
}

int CTallymarksByDate::GetLocalDay(const CDateTime& utc) const {
    return utc.UtcToLocal(m_zone).GetDayNumber();
}

void CTallymarksByDate::CountDays(const CDateTime& start, const CDateTime& end, int delta) {
    const int first = GetLocalDay(start);
    const int last = GetLocalDay(end);
    if (first != INT_MIN && last != INT_MIN) {
        m_days.Add(first, last, delta);
    }
}
