#pragma once

#include "library/files/CDataStream.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/CTallymarksByDate.h"
#include "model/CWKPTranslator.h"
#include "model/ModelTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace wkptest {

using Marks = std::vector<std::pair<double, double>>;

const double kNull = -693959.0;

// Project-file bytes put together by hand, independently of the translator, remembering
// where each count and date went so that tests can damage them on purpose.
class CBytes {
public:
    CBytes& Raw(const std::string& bytes) {
        m_bytes += bytes;
        return *this;
    }
    CBytes& Byte(uint8_t value) {
        m_bytes += static_cast<char>(value);
        return *this;
    }
    CBytes& UInt(uint32_t value) {
        m_counts.push_back(m_bytes.size());
        for (int i = 0; i < 4; ++i) {
            m_bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return *this;
    }
    CBytes& Int(int32_t value) { return UInt(static_cast<uint32_t>(value)); }
    CBytes& Date(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        m_dates.push_back(m_bytes.size());
        for (int i = 0; i < 8; ++i) {
            m_bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
        }
        return *this;
    }
    CBytes& String(const std::string& text) {
        UInt(static_cast<uint32_t>(text.size()));
        return Raw(text);
    }
    CBytes& Header(uint32_t version = 1) {
        Raw("TallymarksProject");
        return UInt(version);
    }
    // One activity record; its children's records must follow.
    CBytes& Record(bool enabled, const std::string& name, const Marks& marks, int32_t children) {
        Byte(enabled ? 1 : 0).String(name).Int(static_cast<int32_t>(marks.size()));
        for (const auto& mark : marks) {
            Date(mark.first).Date(mark.second);
        }
        return Int(children);
    }

    const std::string& Get() const { return m_bytes; }
    // Offsets of every 4-byte number (version, lengths, counts) and of every date.
    const std::vector<std::size_t>& GetCountOffsets() const { return m_counts; }
    const std::vector<std::size_t>& GetDateOffsets() const { return m_dates; }

private:
    std::string m_bytes;
    std::vector<std::size_t> m_counts;
    std::vector<std::size_t> m_dates;
};

// What reading a file gave: Identify's result, and Load's when Identify accepted.
struct SRead {
    ETranslatorResult identified;
    ETranslatorResult loaded;
};

// Reads bytes into state the way a project does: reset, identify, load, track again.
inline SRead ReadFile(CProjectState& state, const std::string& bytes) {
    CDataStream stream;
    stream.SetData(bytes);
    CWKPTranslator translator(state, stream);
    state.Reset(true);
    SRead read{translator.Identify(), trNotThisFormat};
    if (read.identified == trOK) {
        read.loaded = translator.Load();
    }
    state.EnableTracking();
    return read;
}

inline std::string WriteFile(CProjectState& state) {
    CDataStream stream;
    CWKPTranslator(state, stream).Save();
    return stream.GetData();
}

inline std::string DateText(double value) {
    if (value == kNull) {
        return "open";
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Every activity of the state's tree in tree order, the root first.
inline std::vector<CActivity*> AllActivities(CProjectState& state) {
    std::vector<CActivity*> all;
    std::vector<CActivity*> pending{state.GetRootActivity()};
    while (!pending.empty()) {
        all.push_back(pending.back());
        pending.pop_back();
        for (CActivity* child = all.back()->GetLastChild(); child != nullptr;
             child = child->GetPrevSibling()) {
            pending.push_back(child);
        }
    }
    return all;
}

// The tree as lines in tree order, one per activity: depth, enabled flag, name and its
// tally marks sorted (their order in a collection means nothing).
inline std::vector<std::string> DumpTree(CProjectState& state) {
    std::vector<std::string> lines{"project " + state.GetName()};
    for (CActivity* activity : AllActivities(state)) {
        Marks marks;
        CTallymarks& tallymarks = activity->GetTallymarks();
        for (CTallymark* t = tallymarks.GetFirst(); t != nullptr; t = tallymarks.GetNext()) {
            marks.emplace_back(t->GetStart().GetValue(), t->GetEnd(false).GetValue());
        }
        std::sort(marks.begin(), marks.end());
        std::string line = std::to_string(activity->GetDepth()) +
                           (activity->IsEnabled() ? " on " : " off ") + activity->GetName();
        for (const auto& mark : marks) {
            line += " [" + DateText(mark.first) + " " + DateText(mark.second) + "]";
        }
        lines.push_back(line);
    }
    return lines;
}

// Days are counted in a fixed zone, never the machine's.
class WkpTest : public ::testing::Test {
protected:
    void SetUp() override {
        const CTimeZone zone = modeltest::FixedZone(1);
        CTallymarksByDate::SetDefaultTimeZone(&zone);
    }
    void TearDown() override { CTallymarksByDate::SetDefaultTimeZone(nullptr); }
};

} // namespace wkptest
