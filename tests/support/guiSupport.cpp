#include "support/guiSupport.h"

#include "app/gumApp.h"
#include "app/base/gumCommands.h"
#include "app/gumFrame.h"
#include "document/gumDoc.h"

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
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

namespace {

// The window drawn by the toolkit into an image of its own, whatever covers
// it on the display (other test programs share the display).
wxImage DrawWindow(wxWindow* window)
{
    static void* gtk = dlopen("libgtk-3.so.0", RTLD_NOW | RTLD_NOLOAD);
    static void* cairo = dlopen("libcairo.so.2", RTLD_NOW);
    if (!gtk || !cairo)
        return wxImage();
    using SurfaceCreate = void* (*)(int, int, int);
    using Create = void* (*)(void*);
    using Draw = void (*)(void*, void*);
    using Release = void (*)(void*);
    using GetData = unsigned char* (*)(void*);
    using GetStride = int (*)(void*);
    auto surfaceCreate = reinterpret_cast<SurfaceCreate>(dlsym(cairo, "cairo_image_surface_create"));
    auto create = reinterpret_cast<Create>(dlsym(cairo, "cairo_create"));
    auto destroy = reinterpret_cast<Release>(dlsym(cairo, "cairo_destroy"));
    auto flush = reinterpret_cast<Release>(dlsym(cairo, "cairo_surface_flush"));
    auto surfaceDestroy = reinterpret_cast<Release>(dlsym(cairo, "cairo_surface_destroy"));
    auto getData = reinterpret_cast<GetData>(dlsym(cairo, "cairo_image_surface_get_data"));
    auto getStride = reinterpret_cast<GetStride>(dlsym(cairo, "cairo_image_surface_get_stride"));
    auto draw = reinterpret_cast<Draw>(dlsym(gtk, "gtk_widget_draw"));
    if (!surfaceCreate || !create || !destroy || !flush || !surfaceDestroy || !getData || !getStride || !draw)
        return wxImage();
    const wxSize size = window->GetSize();
    if (size.x <= 0 || size.y <= 0)
        return wxImage();
    void* surface = surfaceCreate(0 /* ARGB32 */, size.x, size.y);
    void* context = create(surface);
    draw(window->GetHandle(), context);
    destroy(context);
    flush(surface);
    const unsigned char* data = getData(surface);
    const int stride = getStride(surface);
    wxImage image(size.x, size.y);
    for (int y = 0; y < size.y; ++y) {
        for (int x = 0; x < size.x; ++x) {
            const unsigned char* p = data + y * stride + x * 4; // B, G, R, A, alpha premultiplied
            const int a = p[3];
            auto channel = [a](int c) { return a ? std::min(255, c * 255 / a) : 255; };
            image.SetRGB(x, y, channel(p[2]), channel(p[1]), channel(p[0]));
        }
    }
    surfaceDestroy(surface);
    return image;
}

} // namespace

std::string SaveScreenshot(wxWindow* window, const std::string& name)
{
    if (!window)
        return {};
    Pump(300);
    wxImage image = DrawWindow(window);
    if (!image.IsOk()) {
        const wxRect rect = window->GetScreenRect();
        wxBitmap bitmap(rect.width, rect.height, 24);
        {
            wxMemoryDC memory(bitmap);
            wxScreenDC screen;
            memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
        }
        image = bitmap.ConvertToImage();
    }
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    const std::string path = std::string(QV_SCREENSHOT_DIR) + "/" + name + ".png";
    if (!image.SaveFile(path, wxBITMAP_TYPE_PNG))
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
