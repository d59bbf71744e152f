#pragma once

// CReentryGuard: keeps a loop that can be re-entered from its own nested message loops
// (a box it shows, a project it opens) from running twice at once. The outer run sees
// whatever the inner attempt came for, since it loops until nothing is left.
//
//   CReentryGuard guard(m_busy);
//   if (!guard.Entered()) {
//       return;                             // the outer run takes care of it
//   }
//   while (HasWork()) ...
//
// Usage notes:
// - The flag belongs to the object whose loop it guards and starts false; only the guard
//   that entered clears it again, also when the loop throws.
class CReentryGuard {
public:
    explicit CReentryGuard(bool& busy) : m_busy(busy), m_entered(!busy) { busy = true; }
    ~CReentryGuard() {
        if (m_entered) {
            m_busy = false;
        }
    }
    CReentryGuard(const CReentryGuard&) = delete;
    CReentryGuard& operator=(const CReentryGuard&) = delete;

    // Whether this guard entered, i.e. no other run was under way.
    bool Entered() const { return m_entered; }

private:
    bool& m_busy;
    bool m_entered;
};
