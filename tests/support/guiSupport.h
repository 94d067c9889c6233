#pragma once
#include <functional>
#include <map>
#include <string>

class CgumApp;
class wxPrintout;
class wxWindow;

namespace qvtest {

// Creates the application object and the toolkit for this process (once).
CgumApp& CreateApp();

// Handles pending events and idle time for ms milliseconds.
void Pump(int ms = 200);

// Handles the events pending now and the idle time after them, waiting for
// nothing more: what an action queued has run, and nothing that is yet to come.
void HandlePending();

// Handles events until done() holds; whether it held within the tests' one
// wait bound (support/testWait.h).
bool PumpUntil(const std::function<bool()>& done);

// Destroys the window and handles events until the toolkit has deleted it
// (a top-level window goes when the loop is next idle).
bool DestroyWindow(wxWindow* window);

// Closes the top-level window as its close box does and handles events
// until the toolkit has deleted it.
bool CloseWindow(wxWindow* window);

// Closes the application's main window, as at the end of a test.
bool CloseMainFrame(CgumApp& app);

// Handles events until the window manager has maximised the main window, as
// the program asks at start-up: from then on the panels keep their sizes.
bool WaitForMaximisedFrame(CgumApp& app);

// Handles events until the current document has had its first answer from
// the logger search (which builds the logger's channels), so that a test's
// own channels are not joined by them later.
bool WaitForLoggerSearch(CgumApp& app);

// Queues the command for the main frame as a worker thread would, and returns
// once the main loop has handled it.
void PostCommandAndWait(int id, int value);

// Saves what the window shows as a PNG under the build's screenshot folder;
// returns the path, or an empty text when nothing could be captured.
std::string SaveScreenshot(wxWindow* window, const std::string& name);

// Prints the printout's first page into an A4 PDF file through cairo, as the
// toolkit's print operation does; whether the page printed.
bool PrintToPdf(wxPrintout& printout, const std::string& path);

// Runs the built program with extra environment; returns its exit code.
int RunProgram(const std::map<std::string, std::string>& env, int timeoutSeconds);

} // namespace qvtest
