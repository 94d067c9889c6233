#pragma once
#include "transport/zxBTPairedDevices.h"

#include <vector>
#include <wx/dialog.h>

class wxListBox;

enum
{
    ID_BT_CHOOSER_LIST = 10230,
};

// Picks a paired Bluetooth device for the serial link over Bluetooth: the
// system's paired devices by name and address.
class CgudBTChooser : public wxDialog
{
public:
    CgudBTChooser(wxWindow* parent, const std::vector<CzxBTPairedDevice>& devices);
    ~CgudBTChooser() override;

    // The chosen device, or -1.
    int GetChoice() const;

    wxListBox* m_list = nullptr;

private:
    void EnableOK();
    void OnSelected(wxCommandEvent& event);
    void OnActivated(wxCommandEvent& event);

    std::vector<CzxBTPairedDevice> m_devices;

    wxDECLARE_EVENT_TABLE();
};

// Lists the paired devices and runs the chooser; true, with the chosen
// device's name and address text, when the user picked one with OK.
bool gudChooseBTDevice(wxString& name, wxString& address);
