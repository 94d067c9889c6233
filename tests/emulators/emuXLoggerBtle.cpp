#include "emulators/emuXLoggerBtle.h"

#include "transport/zxBtleAdapter.h"

#include <algorithm>

namespace {

constexpr size_t kValue = 20;

} // namespace

CemuXLoggerBtle::CemuXLoggerBtle(CzxBtleAdapter& adapter, const wxString& identifier)
    : m_adapter(adapter), m_identifier(identifier)
{
    CzxBtleAdapter* target = &adapter;
    const wxString id = identifier;
    m_peer = std::make_shared<CemuXLoggerPeer>([target, id](const std::vector<uint8_t>& bytes) {
        for (size_t at = 0; at < bytes.size(); at += kValue) {
            const size_t n = std::min(kValue, bytes.size() - at);
            target->Notify(id, std::vector<uint8_t>(bytes.begin() + long(at), bytes.begin() + long(at + n)));
        }
    });
    m_peer->Logger().Config().usb = false;
    std::shared_ptr<CemuXLoggerPeer> peer = m_peer;
    adapter.SetWriteHandler(identifier, [peer](const std::vector<uint8_t>& value) {
        peer->Receive(value.data(), value.size());
    });
}

CemuXLoggerBtle::~CemuXLoggerBtle()
{
    m_peer->StopPacing();
    m_adapter.SetWriteHandler(m_identifier, nullptr);
}
