#pragma once
#include "transport/zxBtleManager.h"
#include "transport/zxByteFIFO.h"

#include <atomic>
#include <cstdint>
#include <wx/string.h>

// The byte port of a Bluetooth LE logger and the program-side face of the
// central: the logger list and scanning for the scan dialog, start-up and
// the options. Every object acts on the one shared central. Writes go out
// in values of at most 20 bytes; what the logger sends arrives on the
// central's thread and waits in the receive buffer.
class CzxBtle
{
public:
    CzxBtle();
    // No call of the receive handler runs on a destroyed port.
    virtual ~CzxBtle();
    CzxBtle(const CzxBtle&) = delete;
    CzxBtle& operator=(const CzxBtle&) = delete;

    // Bytes for the receive buffer, as the central hands them over.
    void OnReceive(int32_t count, const uint8_t* bytes);

    // Closes, empties both buffers and opens again.
    bool Reopen();
    void Close();
    bool IsConnected() const;
    bool IsOpen() const;
    bool IsOpenOK() const;
    // False unless open.
    bool Write(const uint8_t* bytes, int32_t n);
    // Exactly n bytes or none: waits the time-out, and then, unless strict,
    // on until 5 s after the start.
    bool Read(uint8_t* buffer, uint32_t n);
    bool ReadStrict(uint8_t* buffer, uint32_t n);
    // Waits up to ms while fewer than n bytes are held; the count held.
    uint32_t WaitRXCount(uint32_t n, int32_t ms);
    uint32_t GetRXCount();
    uint32_t GetTXCount();
    void Flush();
    void SetTimeout(float seconds) { m_timeout = seconds; }
    float GetTimeout() const { return m_timeout; }

    // A logger with a device is selected.
    bool HasLogger() const;
    void LoadUserDefaults();
    // Hands over the remembered selected logger (identifier and name).
    void SetSelectedLogger(const wxString& identifier, const wxString& name);
    bool IsScanning() const;
    // False when the scan cannot start (Bluetooth off, or its state unknown).
    bool ScanStart();
    void ScanStop();
    void ClearLoggers();
    // Forgets the remembered loggers, in the user's Bluetooth file too.
    void ForgetLoggers();
    void InitSelection();
    int GetLoggerCount() const;
    // Both texts empty when the index is out of range.
    void GetLogger(int index, wxString& name, wxString& identifier) const;
    // The selected logger's index in the list, -1 when none is selected.
    int GetSelectedIndex() const;
    // Below 0 or past the list: none selected.
    void SelectLogger(int index);
    // The text up to its first " - ", then " - " and the adapter's state.
    void GetStateText(wxString& text) const;
    void SetDiscoverHandler(zxBtleDiscoverHandler handler, void* handle);
    // Called by the scan dialog once a second; there is nothing to do.
    void OnScanDialogEvent();

private:
    std::atomic<float> m_timeout{1.0f};
    CzxByteFIFO m_txFIFO;
    CzxByteFIFO m_rxFIFO;
    std::atomic<bool> m_strict{false};
};

// The program's Bluetooth LE port.
CzxBtle& zxGetBtle();
