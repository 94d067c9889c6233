#pragma once
#include <memory>

// What the system offers to keep it from idle sleep while a run or a fetch is
// active. The Linux one takes an idle inhibitor from systemd-logind.
class CgumActivitySystem
{
public:
    virtual ~CgumActivitySystem() = default;
    virtual bool Available() = 0;
    // A token for the begun activity, or nullptr when none could be begun.
    virtual std::shared_ptr<void> Begin(const char* reason) = 0;
    virtual void End(std::shared_ptr<void> token) = 0;
};

// Holds at most one activity token.
class CgumActivityHolder
{
public:
    explicit CgumActivityHolder(std::unique_ptr<CgumActivitySystem> system);
    ~CgumActivityHolder();

    void SetSystem(std::unique_ptr<CgumActivitySystem> system);
    bool IsHeld() const { return m_token != nullptr; }

private:
    friend void gumSetBusyActivity(CgumActivityHolder& holder, bool busy);

    std::unique_ptr<CgumActivitySystem> m_system;
    std::shared_ptr<void> m_token;
};

CgumActivityHolder& gumGetActivityHolder();
void gumSetBusyActivity(CgumActivityHolder& holder, bool busy);

std::unique_ptr<CgumActivitySystem> gumNewLogindActivitySystem();
