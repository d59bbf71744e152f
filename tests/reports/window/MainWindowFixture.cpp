// The full-window fixture, shared with the main window's own tests.
#include "../../mainwindow/fullwindow/MainWindowFixture.cpp"
