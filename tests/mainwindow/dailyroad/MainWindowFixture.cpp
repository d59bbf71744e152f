// The full-window fixture, shared with the tests of the full window.
#include "../fullwindow/MainWindowFixture.cpp"
