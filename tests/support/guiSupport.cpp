#include "support/guiSupport.h"

#include "support/testWait.h"

#include "app/gumApp.h"
#include "app/base/gumCommands.h"
#include "app/gumFrame.h"
#include "document/gumDoc.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcgraph.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/graphics.h>
#include <wx/print.h>
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

namespace {

// The main loop while the test runs outside any: one of its own for the call.
class ActiveLoop
{
public:
    ActiveLoop()
    {
        if (!wxEventLoopBase::GetActive()) {
            m_loop = std::make_unique<wxEventLoop>();
            wxEventLoopBase::SetActive(m_loop.get());
        }
    }
    ~ActiveLoop()
    {
        if (m_loop)
            wxEventLoopBase::SetActive(nullptr);
    }

    // One round of the loop: queued events, what the toolkit holds, idle
    // time. Whether anything was there to handle.
    static bool Round()
    {
        bool handled = wxTheApp->HasPendingEvents();
        wxTheApp->ProcessPendingEvents();
        while (wxEventLoopBase::GetActive()->Pending()) {
            wxEventLoopBase::GetActive()->Dispatch();
            handled = true;
        }
        return wxTheApp->ProcessIdle() || handled;
    }

private:
    std::unique_ptr<wxEventLoop> m_loop;
};

} // namespace

void Pump(int ms)
{
    wxStopWatch watch;
    ActiveLoop loop;
    while (watch.Time() < ms) {
        ActiveLoop::Round();
        wxMilliSleep(5);
    }
}

void HandlePending()
{
    ActiveLoop loop;
    // Handling an event may queue others; idle handlers that always ask for
    // more idle time must not hold the test, hence the count of rounds.
    for (int round = 0; round < 100 && ActiveLoop::Round(); ++round) {
    }
}

bool PumpUntil(const std::function<bool()>& done)
{
    wxStopWatch watch;
    ActiveLoop loop;
    while (!done()) {
        if (watch.Time() >= kWaitBoundMs)
            return done();
        ActiveLoop::Round();
        wxMilliSleep(2);
    }
    return true;
}

namespace {

bool Deleted(wxWindow* window)
{
    return !wxPendingDelete.Member(window) && !wxTopLevelWindows.Find(window);
}

} // namespace

bool DestroyWindow(wxWindow* window)
{
    if (!window)
        return true;
    window->Destroy();
    return PumpUntil([window] { return Deleted(window); });
}

bool CloseWindow(wxWindow* window)
{
    if (!window)
        return true;
    window->Close(true);
    return PumpUntil([window] { return Deleted(window); });
}

bool CloseMainFrame(CgumApp& app)
{
    return CloseWindow(app.m_frame);
}

bool WaitForMaximisedFrame(CgumApp& app)
{
    return PumpUntil([&app] { return app.m_frame && app.m_frame->IsMaximized(); });
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
    PumpUntil([frame] { return wxGetApp().m_frame != frame || !wxTheApp->HasPendingEvents(); });
    HandlePending();
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
    HandlePending();
    window->Update();
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
    // A light fixture starts no application, which would add the handler.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    const std::string path = std::string(QV_SCREENSHOT_DIR) + "/" + name + ".png";
    if (!image.SaveFile(path, wxBITMAP_TYPE_PNG))
        return {};
    return path;
}

namespace {

// A printer's drawing context over a cairo context: the page's size in
// pixels at the printer's resolution, as the toolkit's printer context tells.
class PageDC : public wxDC
{
public:
    PageDC(wxGraphicsContext* context, int width, int height, int ppi)
        : wxDC(new Impl(this, width, height, ppi))
    {
        static_cast<Impl*>(GetImpl())->SetGraphicsContext(context);
    }

private:
    class Impl : public wxGCDCImpl
    {
    public:
        Impl(wxDC* owner, int width, int height, int ppi)
            : wxGCDCImpl(owner), m_width(width), m_height(height), m_ppi(ppi)
        {
        }
        void DoGetSize(int* width, int* height) const override
        {
            if (width)
                *width = m_width;
            if (height)
                *height = m_height;
        }
        wxSize GetPPI() const override { return wxSize(m_ppi, m_ppi); }

    private:
        int m_width;
        int m_height;
        int m_ppi;
    };
};

} // namespace

// Prints one page of a printout into a PDF file through cairo, as the GTK
// print operation does (the library is the one the toolkit already uses).
bool PrintToPdf(wxPrintout& printout, const std::string& path)
{
    void* cairo = dlopen("libcairo.so.2", RTLD_NOW);
    if (!cairo)
        return false;
    using SurfaceCreate = void* (*)(const char*, double, double);
    using Create = void* (*)(void*);
    using Destroy = void (*)(void*);
    auto surfaceCreate = reinterpret_cast<SurfaceCreate>(dlsym(cairo, "cairo_pdf_surface_create"));
    auto create = reinterpret_cast<Create>(dlsym(cairo, "cairo_create"));
    auto showPage = reinterpret_cast<Destroy>(dlsym(cairo, "cairo_show_page"));
    auto destroy = reinterpret_cast<Destroy>(dlsym(cairo, "cairo_destroy"));
    auto finish = reinterpret_cast<Destroy>(dlsym(cairo, "cairo_surface_finish"));
    auto surfaceDestroy = reinterpret_cast<Destroy>(dlsym(cairo, "cairo_surface_destroy"));
    if (!surfaceCreate || !create || !showPage || !destroy || !finish || !surfaceDestroy)
        return false;
    const int width = 595; // A4 in points, 72 per inch
    const int height = 842;
    void* surface = surfaceCreate(path.c_str(), width, height);
    void* context = create(surface);
    bool printed = false;
    {
        PageDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(context), width, height, 72);
        printout.SetDC(&dc);
        printout.SetPPIScreen(96, 96);
        printout.SetPPIPrinter(72, 72);
        printout.SetPageSizePixels(width, height);
        printout.SetPageSizeMM(210, 297);
        printout.SetPaperRectPixels(wxRect(0, 0, width, height));
        printout.OnPreparePrinting();
        printout.OnBeginPrinting();
        if (printout.OnBeginDocument(1, 1)) {
            printed = printout.OnPrintPage(1);
            printout.OnEndDocument();
        }
        printout.OnEndPrinting();
        printout.SetDC(nullptr);
    }
    showPage(context);
    destroy(context);
    finish(surface);
    surfaceDestroy(surface);
    return printed;
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
