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

// Handles events until done() holds, or boundMs pass (a bound generous
// enough for a loaded machine); whether done() held.
bool PumpUntil(const std::function<bool()>& done, int boundMs = 30000);

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

// The display is shared by every test program running beside this one: a
// test that needs one of its single things (the clipboard, a pointer grab)
// holds its turn so that the others cannot take it in between.
class DisplayTurn
{
public:
    explicit DisplayTurn(const char* what);
    ~DisplayTurn();
    DisplayTurn(const DisplayTurn&) = delete;
    DisplayTurn& operator=(const DisplayTurn&) = delete;

private:
    int m_descriptor = -1;
};

// A test that copies and reads the clipboard back.
class ClipboardTurn : public DisplayTurn
{
public:
    ClipboardTurn() : DisplayTurn("clipboard") {}
};

// A test that pops up a menu or list of the toolkit's own, which grabs the
// pointer and is refused while another program holds it.
class GrabTurn : public DisplayTurn
{
public:
    GrabTurn() : DisplayTurn("grab") {}
};

} // namespace qvtest
