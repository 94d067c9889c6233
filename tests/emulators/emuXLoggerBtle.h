#pragma once
#include "emulators/emuXLoggerPeer.h"

#include <memory>
#include <wx/string.h>

class CzxBtleAdapter;

// The emulated newer logger as a Bluetooth LE peripheral of the simulated
// adapter: values written to its host-to-logger characteristic feed the
// logger, and what it sends comes back as notifications of at most 20
// bytes. The logger must be in range on the adapter; the adapter outlives
// this.
class CemuXLoggerBtle
{
public:
    CemuXLoggerBtle(CzxBtleAdapter& adapter, const wxString& identifier);
    ~CemuXLoggerBtle();
    CemuXLoggerBtle(const CemuXLoggerBtle&) = delete;
    CemuXLoggerBtle& operator=(const CemuXLoggerBtle&) = delete;

    CemuXLoggerPeer& Peer() { return *m_peer; }

private:
    CzxBtleAdapter& m_adapter;
    wxString m_identifier;
    // Shared with the write handler, which may still run on the adapter's
    // thread as this goes.
    std::shared_ptr<CemuXLoggerPeer> m_peer;
};
