#pragma once

// CSetReportDlg: the choices of the report dialog, kept between its openings (user file,
// section "ReportDlg"). The dialog reads and writes them through the references; a stored
// value outside the dialog's choices loads as the default:
//   statistics per   0-5 (a position in the dialog's list; default 1)
//   round to         0-5 (a position in the dialog's list; default 0)
//   data format      0 time notation, 1 numeric in days, 2 numeric in hours
//   template         the file name of the chosen template's index, or empty
//   destination      0 clipboard, 1 file

#include "library/settings/IPersistentObject.h"

#include <cstdint>
#include <string>

class CSetReportDlg : public IPersistentObject {
public:
    CSetReportDlg();
    ~CSetReportDlg() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    uint32_t& GetStatisticsPer() { return m_statisticsPer; }
    uint32_t& GetRoundTo() { return m_roundTo; }
    uint32_t& GetDataFormat() { return m_dataFormat; }
    std::string& GetTemplate() { return m_template; }
    bool& GetUseEmptyActivity() { return m_useEmptyActivity; }
    bool& GetUseEmptyPeriod() { return m_useEmptyPeriod; }
    uint32_t& GetDestination() { return m_destination; }

private:
    uint32_t m_statisticsPer;
    uint32_t m_roundTo;
    uint32_t m_dataFormat;
    std::string m_template;
    bool m_useEmptyActivity;
    bool m_useEmptyPeriod;
    uint32_t m_destination;
};
