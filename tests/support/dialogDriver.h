#pragma once
#include <functional>
#include <wx/timer.h>
#include <wx/toplevel.h>

namespace qvtest {

// Calls the function on the first dialog of type T that a modal loop shows,
// polling every 50 ms while the test waits in that loop.
template <class T>
class DialogDriver : public wxTimer
{
public:
    explicit DialogDriver(std::function<void(T&)> act) : m_act(std::move(act)) { Start(50); }

    void Notify() override
    {
        for (wxWindow* window : wxTopLevelWindows) {
            T* dialog = dynamic_cast<T*>(window);
            if (dialog && dialog->IsModal() && !m_done) {
                m_done = true;
                Stop();
                m_act(*dialog);
                return;
            }
        }
    }

    bool m_done = false;

private:
    std::function<void(T&)> m_act;
};

} // namespace qvtest
