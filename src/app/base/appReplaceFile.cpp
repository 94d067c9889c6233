#include "app/base/appReplaceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace {

std::function<int(int, bool)>& FlushHook()
{
    static std::function<int(int, bool)> hook;
    return hook;
}

int Flush(int descriptor, bool folder)
{
    if (FlushHook())
        return FlushHook()(descriptor, folder);
    return ::fsync(descriptor);
}

// The temporary file is created private; the saved file gets the old file's
// permissions, or those of a new file.
void SetFinalMode(const wxString& path, int descriptor)
{
    struct stat old;
    mode_t mode = 0;
    if (::stat(path.fn_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(descriptor, mode);
}

bool WriteAll(int descriptor, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(descriptor, data, size);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += done;
        size -= size_t(done);
    }
    return true;
}

bool FlushFolder(const wxString& folder)
{
    const int descriptor = ::open(folder.fn_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool ok = Flush(descriptor, true) == 0;
    ::close(descriptor);
    return ok;
}

} // namespace

void appSetFlushHook(std::function<int(int descriptor, bool folder)> hook)
{
    FlushHook() = std::move(hook);
}

bool appReplaceFile(const wxString& path, const char* data, size_t size)
{
    wxString temp;
    {
        wxLogNull quiet; // the caller reports a failure its own way
        temp = wxFileName::CreateTempFileName(path + "-");
    }
    if (temp.empty())
        return false;
    const int descriptor = ::open(temp.fn_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool ok = descriptor >= 0;
    if (ok) {
        ok = WriteAll(descriptor, data, size);
        SetFinalMode(path, descriptor);
        // Without this the rename may reach the disk before the data does.
        ok = ok && Flush(descriptor, false) == 0;
        ok = (::close(descriptor) == 0) && ok;
    }
    if (ok)
        ok = ::rename(temp.fn_str(), path.fn_str()) == 0;
    if (!ok) {
        ::unlink(temp.fn_str());
        return false;
    }
    wxString folder = wxFileName(path).GetPath();
    if (folder.empty())
        folder = ".";
    return FlushFolder(folder);
}
