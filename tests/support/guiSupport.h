#pragma once
#include <map>
#include <string>

class CgumApp;
class wxWindow;

namespace qvtest {

// Creates the application object and the toolkit for this process (once).
CgumApp& CreateApp();

// Handles pending events and idle time until nothing is left, or ms pass.
void Pump(int ms = 200);

// Queues the command for the main frame as a worker thread would, and returns
// once the main loop has handled it.
void PostCommandAndWait(int id, int value);

// Saves what the window shows as a PNG under the build's screenshot folder;
// returns the path, or an empty text when nothing could be captured.
std::string SaveScreenshot(wxWindow* window, const std::string& name);

// Runs the built program with extra environment; returns its exit code.
int RunProgram(const std::map<std::string, std::string>& env, int timeoutSeconds);

} // namespace qvtest
