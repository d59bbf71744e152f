// The full-window fixture, shared with the tests under the null driver.
#include "../fullwindow/MainWindowFixture.cpp"
