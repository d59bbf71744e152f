#pragma once

// An object that a CTracker holds and calls back when it lets go.
class ITrackerCallback {
public:
    virtual void OnTrackerRelease() = 0;

protected:
    ~ITrackerCallback() = default;
};
