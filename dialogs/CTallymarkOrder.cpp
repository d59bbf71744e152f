#include "dialogs/CTallymarkOrder.h"

#include "app/settings/CSetTracesDlg.h"
#include "model/CActivity.h"
#include "model/CTallymark.h"

#include <cstring>

namespace {

CDateTime SortEnd(const CTallymark& tallymark) {
    return tallymark.IsOpen() || !tallymark.IsValid() ? CTallymark::GetMaxDate()
                                                      : tallymark.GetEnd(false);
}

CDateTimeSpan SortDuration(const CTallymark& tallymark) {
    return tallymark.IsOpen() || !tallymark.IsValid() ? CTallymark::GetMaxDuration()
                                                      : tallymark.GetDuration();
}

template <class T> int Order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareBytes(const std::string& a, const std::string& b) {
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    const int bytes = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    if (bytes != 0) {
        return bytes;
    }
    return Order(a.size(), b.size());
}

} // namespace

int CTallymarkOrder::CompareColumn(const CTallymark& a, const CTallymark& b, int column) {
    switch (column) {
    case 0:
        return Order(a.GetStart(), b.GetStart());
    case 1:
        return Order(SortEnd(a), SortEnd(b));
    case 2:
        return Order(SortDuration(a), SortDuration(b));
    case 3:
        return CompareBytes(PathOf(a.GetActivity()), PathOf(b.GetActivity()));
    default:
        return 0;
    }
}

int CTallymarkOrder::Compare(const CTallymark& a, const CTallymark& b) {
    for (int key = 0; key < CSetTracesDlg::NumPriorities; ++key) {
        const int order = CompareColumn(a, b, m_settings.GetSortColumn(key));
        if (order != 0) {
            const bool ascending = m_settings.GetSortAscending(key);
            return (order > 0) == ascending ? 1 : -1;
        }
    }
    return 0;
}

const std::string& CTallymarkOrder::PathOf(const CActivity* activity) {
    static const std::string kNoPath;
    if (activity == nullptr) {
        return kNoPath;
    }
    auto found = m_paths.find(activity);
    if (found == m_paths.end()) {
        found = m_paths.emplace(activity, activity->GetPath()).first;
    }
    return found->second;
}
