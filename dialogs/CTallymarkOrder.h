#pragma once

// CTallymarkOrder: the order of the manage-tally-marks list, by the four sort keys of the
// list's settings (column 0 start, 1 end, 2 duration, 3 activity path; each ascending or
// descending), the first key first.
//
//   CTallymarkOrder order(CAppMain::Get().GetSetTracesDlg());
//   order.ForgetPaths();                  // before each sort
//   bool before = order.Compare(a, b) < 0;
//
// Usage notes:
// - An open or invalid tally mark counts as ending at CTallymark::GetMaxDate and as lasting
//   CTallymark::GetMaxDuration, so the order does not move with the clock.
// - Paths compare as unsigned bytes, without case folding; a path that begins another
//   sorts first. Each activity's path is built once and kept until ForgetPaths, so a sort
//   builds no path per comparison.
// - The keys are read from the settings on every comparison: a change of the settings
//   takes effect at once.

#include <string>
#include <unordered_map>

class CActivity;
class CSetTracesDlg;
class CTallymark;

class CTallymarkOrder {
public:
    explicit CTallymarkOrder(CSetTracesDlg& settings) : m_settings(settings) {}

    // -1 when a sorts before b, +1 after, 0 when all four keys are equal.
    int Compare(const CTallymark& a, const CTallymark& b);
    // Compares on one column only, ascending: <0, 0 or >0; an unknown column is equal.
    int CompareColumn(const CTallymark& a, const CTallymark& b, int column);
    void ForgetPaths() { m_paths.clear(); }

private:
    const std::string& PathOf(const CActivity* activity);

    CSetTracesDlg& m_settings;
    std::unordered_map<const CActivity*, std::string> m_paths;
};
