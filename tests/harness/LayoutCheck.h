#pragma once

// The layout checks the picture tests make of a window shown on a real display: controls
// inside the client area, no two on one another unless the test says one may hold the
// other, texts that fit, calendars whole. Every check returns its faults one line each, an
// empty string when there is none, so a test can compare it with "" and show what went wrong.

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace harness {

// The rectangle of control in the client coordinates of window.
RECT RectIn(HWND window, HWND control);

// The rectangle of the control id of window in its client coordinates.
RECT ItemRect(HWND window, int id);

// Whether inner lies wholly inside outer; an empty inner lies nowhere.
bool Inside(const RECT& inner, const RECT& outer);

// Whether control is a button drawn as a group box.
bool IsGroupBox(HWND control);

// The visible child windows of parent, in z-order.
std::vector<HWND> VisibleChildren(HWND parent);

// What a test allows and adds to the layout check.
struct SLayoutRules {
    // Whether outer may lie over inner (a group box around what it holds, parts of one
    // control); asked both ways for each overlapping pair. None: no overlap is allowed.
    std::function<bool(HWND outer, HWND inner)> mayHold;
    // Further checks of each control at its rectangle in the window (say, its text fits).
    std::function<std::string(HWND control, const RECT& rect)> alsoCheck;
    // Every control checked must be visible with a non-empty rectangle.
    bool everyShown = false;
};

// Allows what group boxes hold: the controls wholly inside them.
bool GroupBoxHolds(HWND outer, HWND inner);

// The rules that allow group boxes over what they hold, and nothing else.
SLayoutRules GroupBoxRules();

// The rules that let the controls ids (group boxes, frames) hold what lies wholly inside
// them, and nothing else.
SLayoutRules ContainerRules(HWND window, const std::set<int>& containers);

// The faults of controls in the client area of window (controls may be deeper descendants).
std::string CheckLayout(HWND window, const std::vector<HWND>& controls,
                        const SLayoutRules& rules = {});

// The same for every visible child of window.
std::string CheckLayout(HWND window, const SLayoutRules& rules = {});

// The same for the controls ids of window, every one of which must be shown, none on
// another.
std::string CheckShownControls(HWND window, const std::vector<int>& ids);

// The width of control's text at its font, with the marks of mnemonics ('&') left out
// unless keepMarks; 0 when it has no text.
int TextWidth(HWND control, bool keepMarks = false);

// How many of the lines of label's text (lines ended by "\n", none wrapped) it has no
// room for at its font; 0 when all show.
int HiddenLines(HWND label);

// A month calendar too small for what it needs to show, outside its group, or without
// seven different weekdays in one row of days.
std::string CheckCalendar(HWND window, int calendarId, int groupId);

// Keeps a picture of window for people to look at, named file in the working folder.
// Returns whether it was written.
bool KeepPicture(HWND window, const std::string& file);

} // namespace harness
