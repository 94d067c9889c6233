#pragma once
#include "transport/zxBtleManager.h"

#include <wx/string.h>

// The program-side face of the Bluetooth LE central: the logger list and
// scanning for the scan dialog, start-up and the options. Every object acts
// on the one shared central. Still thin: the byte port to an open logger
// (open, close, reads and writes) comes with the Bluetooth LE link, so no
// link is ever open yet.
class CzxBtle
{
public:
    CzxBtle();
    virtual ~CzxBtle();

    void LoadUserDefaults();
    // Hands over the remembered selected logger (identifier and name).
    void SetSelectedLogger(const wxString& identifier, const wxString& name);
    bool IsOpen() const;
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
    // The text up to its first " - ", then " - " and the adapter's state.
    void GetStateText(wxString& text) const;
    void SetDiscoverHandler(zxBtleDiscoverHandler handler, void* handle);
    // Called by the scan dialog once a second; there is nothing to do.
    void OnScanDialogEvent();
};

// The program's Bluetooth LE port.
CzxBtle& zxGetBtle();
