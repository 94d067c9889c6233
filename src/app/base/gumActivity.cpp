#include "app/base/gumActivity.h"

#include <csignal>
#include <initializer_list>
#include <string>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool IsExecutable(const char* path) { return ::access(path, X_OK) == 0; }

// Holds logind's idle inhibitor for as long as a child systemd-inhibit runs.
class CgumLogindActivity : public CgumActivitySystem
{
public:
    bool Available() override
    {
        struct stat st;
        return ::stat("/run/systemd/seats", &st) == 0 && FindInhibit() != nullptr;
    }

    std::shared_ptr<void> Begin(const char* reason) override
    {
        const char* program = FindInhibit();
        if (!program)
            return nullptr;
        std::string why = std::string("--why=") + reason;
        const char* argv[] = {program, "--what=idle:sleep", "--who=Quorvanti", why.c_str(),
                              "--mode=block", "sleep", "infinity", nullptr};
        pid_t pid = 0;
        if (::posix_spawn(&pid, program, nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            return nullptr;
        return std::shared_ptr<void>(new pid_t(pid), [](void* p) {
            const pid_t child = *static_cast<pid_t*>(p);
            ::kill(child, SIGTERM);
            ::waitpid(child, nullptr, 0);
            delete static_cast<pid_t*>(p);
        });
    }

    void End(std::shared_ptr<void> token) override { token.reset(); }

private:
    static const char* FindInhibit()
    {
        for (const char* path : {"/usr/bin/systemd-inhibit", "/bin/systemd-inhibit"})
            if (IsExecutable(path))
                return path;
        return nullptr;
    }
};

} // namespace

std::unique_ptr<CgumActivitySystem> gumNewLogindActivitySystem()
{
    return std::make_unique<CgumLogindActivity>();
}

CgumActivityHolder::CgumActivityHolder(std::unique_ptr<CgumActivitySystem> system)
    : m_system(std::move(system))
{
}

CgumActivityHolder::~CgumActivityHolder()
{
    if (m_token && m_system)
        m_system->End(std::move(m_token));
}

void CgumActivityHolder::SetSystem(std::unique_ptr<CgumActivitySystem> system)
{
    if (m_token && m_system)
        m_system->End(std::move(m_token));
    m_token.reset();
    m_system = std::move(system);
}

CgumActivityHolder& gumGetActivityHolder()
{
    // Never freed: the token must outlive every document.
    static auto* holder = new CgumActivityHolder(gumNewLogindActivitySystem());
    return *holder;
}

void gumSetBusyActivity(CgumActivityHolder& holder, bool busy)
{
    if (!holder.m_system || !holder.m_system->Available())
        return;
    if (busy) {
        if (!holder.m_token)
            holder.m_token = holder.m_system->Begin("busy");
    } else if (holder.m_token) {
        holder.m_system->End(std::move(holder.m_token));
        holder.m_token.reset();
    }
}
