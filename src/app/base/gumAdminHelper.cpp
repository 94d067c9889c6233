#include "app/base/gumAdminHelper.h"

#include "app/base/gumResCore.h"
#include "transport/zxStopWatch.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <wx/filename.h>
#include <wx/utils.h>

namespace {

// Full-resolution modification time: a copy within the same second must count.
bool ModificationTime(const wxString& path, std::filesystem::file_time_type& out)
{
    std::error_code error;
    const std::filesystem::path p(path.utf8_string());
    if (!std::filesystem::is_regular_file(p, error))
        return false;
    out = std::filesystem::last_write_time(p, error);
    return !error;
}

} // namespace

bool gumRunAdminHelper(const wxString& source, const wxString& destination)
{
    std::filesystem::file_time_type before;
    const bool existed = ModificationTime(destination, before);

    CgumResCore* res = gumGetResCore();
    if (!res)
        return false;
    wxFileName program;
    res->GetResourceFile(program, "OSX", "QuorvantiAdmin", wxString());
    if (!program.FileExists())
        return false;

    // An argument vector, not a command line: folder names may hold quotes.
    const std::string programPath = program.GetFullPath().utf8_string();
    const std::string sourcePath = source.utf8_string();
    const std::string destinationPath = destination.utf8_string();
    const char* const argv[] = {programPath.c_str(), sourcePath.c_str(), destinationPath.c_str(), nullptr};
    wxExecute(argv, wxEXEC_SYNC);

    CzxStopWatch watch;
    for (;;) {
        std::filesystem::file_time_type now;
        if (ModificationTime(destination, now) && (!existed || now != before))
            return true;
        if (watch.TimeInMicro() > 2999999)
            return false;
        wxMilliSleep(200);
    }
}
