#pragma once

#include "library/files/CDataStream.h"
#include "model/CXMLTranslator.h"
#include "model/StateTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace xmlprojecttest {

using Lines = std::vector<std::string>;
using modeltest::AddTallymark;

// Names in these tests are held in Windows-1252, whatever the system's code page.
const unsigned int kWestern = 1252;
const std::string kHeader = "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\n";

inline CDateTime At(int year, int month, int day, int hour, int minute, int second) {
    CDateTime date;
    EXPECT_TRUE(date.SetDateTime(year, month, day, hour, minute, second));
    return date;
}

inline CActivity* Add(CProjectState& state, const std::string& name, bool enabled,
                      CActivity* parent = nullptr) {
    CActivity* activity = modeltest::AddActivity(state, name, parent);
    activity->SetEnabled(enabled);
    return activity;
}

inline std::string DateText(const CDateTime& date) {
    return date == CTallymark::GetNullDate() ? "null" : date.Format("%Y-%m-%d %H:%M:%S");
}

// One line per activity in tree order: depth marks, flag, [name] and the tally marks
// sorted (a collection's order means nothing).
inline void Describe(CActivity* activity, int depth, Lines& lines) {
    Lines marks;
    CTallymarks& tallymarks = activity->GetTallymarks();
    for (CTallymark* t = tallymarks.GetFirst(); t != nullptr; t = tallymarks.GetNext()) {
        marks.push_back(" {" + DateText(t->GetStart()) + " - " +
                        (t->IsOpen() ? std::string("open") : DateText(t->GetEnd(false))) + "}");
    }
    std::sort(marks.begin(), marks.end());
    std::string line = std::string(static_cast<size_t>(depth), '>') +
                       (activity->IsEnabled() ? "on [" : "off [") + activity->GetName() + "]";
    for (const std::string& mark : marks) {
        line += mark;
    }
    lines.push_back(line);
    for (CActivity* c = activity->GetFirstChild(); c != nullptr; c = c->GetNextSibling()) {
        Describe(c, depth + 1, lines);
    }
}

// The project name, then the root (its name, flag and tally marks) and the tree.
inline Lines Describe(CProjectState& state) {
    Lines lines{"name [" + state.GetName() + "]"};
    Describe(state.GetRootActivity(), 0, lines);
    return lines;
}

inline std::string Save(CProjectState& state, unsigned int codePage = kWestern) {
    CDataStream stream;
    stream.WriteString("old content", false);
    CXMLTranslator(state, stream, codePage).Save();
    return stream.GetData();
}

struct SReadResult {
    ETranslatorResult identify;
    ETranslatorResult load; // trNotThisFormat when Load was not called
};

// Identify, and Load after trOK, as a project opens a file.
inline SReadResult Read(const std::string& bytes, CProjectState& state,
                        unsigned int codePage = kWestern) {
    CDataStream stream;
    stream.SetData(bytes);
    CXMLTranslator translator(state, stream, codePage);
    SReadResult result{translator.Identify(), trNotThisFormat};
    if (result.identify == trOK) {
        result.load = translator.Load();
    }
    return result;
}

// A file in the format around the root element's content.
inline std::string File(const std::string& content, const std::string& version = "0.0.0.1") {
    return kHeader + "<TallymarksProject version=\"" + version + "\">" + content +
           "</TallymarksProject>\n";
}

} // namespace xmlprojecttest
