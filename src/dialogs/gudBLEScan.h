#pragma once
#include <wx/dialog.h>
#include <wx/timer.h>

class wxCheckBox;
class wxListCtrl;
class wxListEvent;
class wxStaticText;

enum
{
    ID_BLE_SCAN_CHECK = 10000,
    ID_BLE_SCAN_CLEAR = 10001,
    ID_BLE_SCAN_DIALOG = 10200,
    ID_BLE_SCAN_FAILED = 10206,
    ID_BLE_SCAN_LIST = 10218,
};

// Picks the Bluetooth LE logger that the program remembers: lists the known
// loggers (the last found first), scans for new ones and forgets them.
class CgudBLEScan : public wxDialog
{
public:
    CgudBLEScan() = default;
    CgudBLEScan(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                const wxSize& size = wxSize(400, 300),
                long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~CgudBLEScan() override;

    bool TransferDataToWindow() override;
    // Stops a scan still running and removes the discovery handler, however
    // the dialog ended.
    int ShowModal() override;

    wxCheckBox* m_scanBox = nullptr;
    wxStaticText* m_failedText = nullptr;
    wxListCtrl* m_list = nullptr;
    int m_selectedIndex = -1;
    bool m_scanFailed = false;
    bool m_adminMode = false;
    wxTimer m_timer;

private:
    void CreateControls();
    void OnInitDialog(wxInitDialogEvent& event);
    void OnScan(wxCommandEvent& event);
    void OnClear(wxCommandEvent& event);
    void OnSelected(wxListEvent& event);
    void OnActivated(wxListEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);
    void StartScan();
    void EnableOK();
    // Called on the main thread for each logger discovered.
    static void OnDiscovered(void* handle);

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudBLEScan);
    wxDECLARE_EVENT_TABLE();
};

// Runs the scan dialog; true, with the chosen logger's identifier and name in
// place of the given ones, when the user picked one with OK.
bool gudShowBLEScan(wxWindow* parent, wxString& identifier, wxString& name, bool adminMode);
