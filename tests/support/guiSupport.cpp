#include "support/guiSupport.h"

#include "app/gumApp.h"
#include "app/base/gumCommands.h"
#include "app/gumFrame.h"
#include "document/gumDoc.h"

#include <cstdlib>
#include <filesystem>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

wxAppConsole* wxCreateApp();

namespace qvtest {

CgumApp& CreateApp()
{
    static bool created = false;
    if (!created) {
        created = true;
        wxApp::SetInitializerFunction(wxCreateApp);
        static int argc = 1;
        static char name[] = "quorvanti";
        static char* argv[] = {name, nullptr};
        if (!wxEntryStart(argc, argv))
            std::abort();
        std::atexit([] { wxEntryCleanup(); });
    }
    return wxGetApp();
}

void Pump(int ms)
{
    wxStopWatch watch;
    wxEventLoopBase* active = wxEventLoopBase::GetActive();
    std::unique_ptr<wxEventLoop> loop;
    if (!active) {
        loop = std::make_unique<wxEventLoop>();
        wxEventLoopBase::SetActive(loop.get());
    }
    while (watch.Time() < ms) {
        wxTheApp->ProcessPendingEvents();
        while (wxEventLoopBase::GetActive()->Pending())
            wxEventLoopBase::GetActive()->Dispatch();
        wxTheApp->ProcessIdle();
        wxMilliSleep(5);
    }
    if (loop)
        wxEventLoopBase::SetActive(nullptr);
}

bool PumpUntil(const std::function<bool()>& done, int boundMs)
{
    wxStopWatch watch;
    while (!done()) {
        if (watch.Time() >= boundMs)
            return false;
        Pump(5);
    }
    return true;
}

bool WaitForLoggerSearch(CgumApp& app)
{
    return PumpUntil([&app] {
        CgumDoc* doc = app.GetCurrentDocument();
        return doc && !doc->m_doc.m_waitingForFind;
    });
}

void PostCommandAndWait(int id, int value)
{
    // The command is handled, by whichever handler routing gives it to, once
    // the frame's queue has been emptied.
    CgumFrame* frame = wxGetApp().m_frame;
    gumPostCommand(id, value);
    wxStopWatch watch;
    while (frame && wxGetApp().m_frame == frame && wxTheApp->HasPendingEvents() &&
           watch.Time() < 30000)
        Pump(5);
    Pump(20);
}

std::string SaveScreenshot(wxWindow* window, const std::string& name)
{
    if (!window)
        return {};
    Pump(300);
    const wxRect rect = window->GetScreenRect();
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxMemoryDC memory(bitmap);
        wxScreenDC screen;
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    const std::string path = std::string(QV_SCREENSHOT_DIR) + "/" + name + ".png";
    if (!bitmap.SaveFile(path, wxBITMAP_TYPE_PNG))
        return {};
    return path;
}

int RunProgram(const std::map<std::string, std::string>& env, int timeoutSeconds)
{
    std::string command = "timeout " + std::to_string(timeoutSeconds) + " env";
    for (const auto& [key, value] : env)
        command += " '" + key + "=" + value + "'";
    command += " '" QV_APP_PATH "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace qvtest
