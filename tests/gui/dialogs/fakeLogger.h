#pragma once
#include "hardware/xhwBoxes.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>
#include <wx/utils.h>

namespace qvtest {

// A logger manager without threads whose published logger the test sets,
// and a thread in place of the box thread that answers every posted request
// with the answer and time given and keeps the requests it took.
class CfakeLogger
{
public:
    CfakeLogger() : m_server([this] { Serve(); }) {}
    ~CfakeLogger()
    {
        m_stop = true;
        m_server.join();
    }

    // Publishes a logger of the type (0: none) with its display text.
    void Connect(int type, float firmware, const wxString& stamp)
    {
        CxhwBox& box = m_boxes.m_box;
        box.m_info.m_hardware = type;
        box.m_info.m_firmware = firmware;
        box.m_stamp = stamp;
        box.Publish();
    }

    std::vector<CxutBoxRequest> Requests()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_requests;
    }

    CxhwBoxes m_boxes;
    std::atomic<int> m_answer{BOX_ANSWER_DONE};
    std::atomic<int64_t> m_time{CxutBoxRequest::kNoTime};

private:
    void Serve()
    {
        while (!m_stop) {
            CxutBoxRequest request;
            if (m_boxes.m_box.BeginRequest(request)) {
                {
                    std::lock_guard<std::mutex> lock(m_lock);
                    m_requests.push_back(request);
                }
                request.m_answer = m_answer;
                request.m_time = m_time;
                m_boxes.m_box.EndRequest(request);
            }
            wxMilliSleep(2);
        }
    }

    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::vector<CxutBoxRequest> m_requests;
    std::thread m_server;
};

} // namespace qvtest
