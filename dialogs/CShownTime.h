#pragma once

// CShownTime: a universal time that a dialog shows in local date and time fields, which show
// whole seconds. What the dialog put there stays exactly as it was while the fields still
// show it; only a time the user changed is converted from local time. (Converted back, a
// time of the hour that the autumn change repeats would move to that hour's first pass,
// and a fraction of a second would be lost.)
//
//   m_start.Put(tallymark.GetStart());     // the fields are filled from m_start.GetLocal()
//   m_start.Read(FieldValue(...));         // whenever a field changes
//   tallymark.SetStart(m_start.GetUtc());
//
// Local time is that of the data model's zone (see LocalTime.h).

#include "library/datetime/CDateTime.h"

class CShownTime {
public:
    // The dialog shows utc.
    void Put(const CDateTime& utc);
    // The dialog shows local: a time chosen as the user reads it (a default of the
    // working hours), which stands for its conversion.
    void PutLocal(const CDateTime& local);
    // The fields now show local (whole seconds).
    void Read(const CDateTime& local);

    // Whether the fields show a local time that the change to daylight time skips (typed, or
    // a default of the working hours; never a universal time put there). Its universal
    // time is the change's instant, which stands for no time the user meant.
    bool IsSkipped() const { return m_skipped; }
    const CDateTime& GetUtc() const { return m_utc; }
    // What the fields show, or are to show.
    const CDateTime& GetLocal() const { return m_local; }

private:
    CDateTime m_utc;
    CDateTime m_local;
    bool m_skipped = false;
    // What the dialog put there last, and what its fields showed for it.
    CDateTime m_putUtc;
    CDateTime m_putShown;
    bool m_putSkipped = false;
};
