#include "reports/generator/CReport.h"

#include "library/datetime/CDateTimeFormat.h"
#include "library/text/CText.h"
#include "reports/generator/ReportRounding.h"

#include "resources/ResourceIds.h"

#include <cstdio>

namespace {

// The printf formats of the numeric notations by rounding code: days, then hours.
const char* const kDayFormats[] = {"%#.6f", "%#.5f", "%#.4f", "%#.3f", "%#.3f", "%#.3f"};
const char* const kHourFormats[] = {"%#.5f", "%#.3f", "%#.1f", "%#.2f", "%#.1f", "%.0f"};
const char* const kWholeDayFormat = "%#0.6f";
const size_t kMaxDurationTexts = 65536;

std::string NameOf(std::int32_t code, const unsigned int* ids, std::int32_t count) {
    return CText(code >= 0 && code < count ? ids[code] : IDS_REPORT_OPTION_UNKNOWN).GetString();
}

// text with & < > " written as character references, and ' too where apostrophe is
// set (XML; HTML 4 knows no &apos;).
std::string EscapeMarkup(const std::string& text, bool apostrophe) {
    std::string result;
    for (char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        case '\'':
            result += apostrophe ? "&apos;" : "'";
            break;
        default:
            result += c;
        }
    }
    return result;
}

} // namespace

CReport::CReport(CProject* project, CProjectState* state, std::int32_t notation,
                 std::int32_t statisticsPer, std::int32_t rounding)
    : m_project(project), m_state(state), m_notation(notation), m_statisticsPer(statisticsPer),
      m_rounding(rounding), m_unitsPerDay(GetUnitsPerDay(rounding)), m_numberFormat(nullptr) {
    if (notation == 1 || notation == 2) {
        const bool known = rounding >= 0 && rounding < 6;
        m_numberFormat = !known ? kWholeDayFormat
                                : (notation == 1 ? kDayFormats[rounding] : kHourFormats[rounding]);
    }
}

std::string CReport::FormatDuration(const CDateTimeSpan& span) const {
    return GetDurationText(span);
}

const std::string& CReport::GetDurationText(const CDateTimeSpan& span) const {
    // Neighbouring cells mostly hold the same time (most often none).
    if (m_lastDurationText != nullptr && m_lastDuration == span.GetValue()) {
        return *m_lastDurationText;
    }
    const auto known = m_durationTexts.find(span.GetValue());
    if (known != m_durationTexts.end()) {
        m_lastDuration = span.GetValue();
        m_lastDurationText = &known->second;
        return known->second;
    }
    std::string text;
    if (m_numberFormat == nullptr) {
        text = span.FormatHMS(3);
    } else if (span.IsValid()) {
        const double value = m_notation == 2 ? span.GetValue() * 24.0 : span.GetValue();
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, m_numberFormat, value);
        text = buffer;
    }
    if (m_durationTexts.size() >= kMaxDurationTexts) {
        m_durationTexts.clear();
    }
    m_lastDuration = span.GetValue();
    m_lastDurationText = &m_durationTexts.emplace(span.GetValue(), std::move(text)).first->second;
    return *m_lastDurationText;
}

std::string CReport::FormatDate(const CDateTime& date) const {
    const CDateTimeFormat& formats = CDateTimeFormat::Instance();
    if (m_statisticsPer == 0) {
        return date.FormatDateTime(formats.GetNumericDateFormat(), "HH':'mm':'ss");
    }
    return date.FormatDate(formats.GetNumericDateFormat());
}

std::string CReport::GetStatisticsPerName() const {
    static const unsigned int kIds[] = {IDS_REPORT_PER_HOUR, IDS_REPORT_PER_DAY,
                                        IDS_REPORT_PER_WEEK, IDS_REPORT_PER_MONTH,
                                        IDS_REPORT_PER_YEAR, IDS_REPORT_PER_PROJECT};
    return NameOf(m_statisticsPer, kIds, 6);
}

std::string CReport::GetRoundingName() const {
    static const unsigned int kIds[] = {IDS_REPORT_ROUND_SECOND,      IDS_REPORT_ROUND_MINUTE,
                                        IDS_REPORT_ROUND_SIX_MINUTES, IDS_REPORT_ROUND_QUARTER,
                                        IDS_REPORT_ROUND_HALF_HOUR,   IDS_REPORT_ROUND_HOUR};
    return NameOf(m_rounding, kIds, 6);
}

std::string CReport::GetNotationName() const {
    static const unsigned int kIds[] = {IDS_REPORT_NOTATION_TIME, IDS_REPORT_NOTATION_DAYS,
                                        IDS_REPORT_NOTATION_HOURS};
    return NameOf(m_notation, kIds, 3);
}

std::string CReport::Escape(std::int32_t format, const std::string& text) {
    switch (format) {
    case 0:
        return EscapeCSV(text);
    case 1:
        return EscapeTab(text);
    case 2:
        return EscapeHTML(text);
    case 3:
        return EscapeXML(text);
    case 4:
        return EscapeRTF(text);
    default:
        return text;
    }
}

std::string CReport::EscapeCSV(const std::string& text) {
    if (text.find_first_of("\",") == std::string::npos) {
        return text;
    }
    std::string result = "\"";
    for (char c : text) {
        result += c;
        if (c == '"') {
            result += '"';
        }
    }
    return result + "\"";
}

std::string CReport::EscapeTab(const std::string& text) {
    std::string result;
    for (char c : text) {
        result += c == '\t' ? std::string(8, ' ') : std::string(1, c);
    }
    return result;
}

std::string CReport::EscapeHTML(const std::string& text) {
    const std::string result = EscapeMarkup(text, false);
    // Every pair of spaces, counted left to right, keeps its first space.
    std::string spaced;
    for (size_t i = 0; i < result.size(); ++i) {
        if (result[i] == ' ' && i + 1 < result.size() && result[i + 1] == ' ') {
            spaced += " &nbsp;";
            ++i;
        } else {
            spaced += result[i];
        }
    }
    return spaced;
}

std::string CReport::EscapeXML(const std::string& text) {
    return EscapeMarkup(text, true);
}

std::string CReport::EscapeRTF(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}') {
            result += '\\';
        }
        result += c;
    }
    return result;
}
