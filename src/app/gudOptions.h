#pragma once
#include "app/base/appOptionsFile.h"

#include <functional>
#include <wx/dialog.h>

class wxBitmapButton;
class wxButton;
class wxCheckBox;
class wxChoice;
class wxStaticText;
class wxTextCtrl;

enum
{
    ID_OPTIONS_DIALOG = 10080,
    ID_OPTIONS_LEVEL = 10081,
    ID_OPTIONS_AUTOMATIC = 10082,
    ID_OPTIONS_BLUETOOTH = 10083,
    ID_OPTIONS_SERIAL = 10084,
    ID_OPTIONS_FOLDER = 10086,
    ID_OPTIONS_BROWSE = 10087,
    ID_OPTIONS_MANAGER = 10088,
    ID_OPTIONS_SAVE = 10089,
    ID_OPTIONS_DEFAULTS = 10090,
    ID_OPTIONS_PORT = 10091,
    ID_OPTIONS_USER_SAVE = 10117,
    ID_OPTIONS_PORT_LIST = 10118,
    ID_OPTIONS_BT_SEARCH = 10168,
    ID_OPTIONS_BT_NAME = 10169,
    ID_OPTIONS_SMART = 10000,
    ID_OPTIONS_SMART_SEARCH = 10001,
    ID_OPTIONS_SMART_NAME = 10185,
};

// The Options dialog and the Administrator's Settings dialog: one dialog that
// edits an options record in either mode.
class CgudOptions : public wxDialog
{
public:
    CgudOptions() = default;
    CgudOptions(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                const wxSize& size = wxSize(400, 300), long style = wxDEFAULT_DIALOG_STYLE);
    ~CgudOptions() override;

    bool TransferDataToWindow() override;

    void SetValues(const CappOptionsFile& record);
    void GetValues(CappOptionsFile& record) const;

    void OnLevel(wxCommandEvent& event);
    void OnBluetoothSearch(wxCommandEvent& event);
    void OnPortChoice(wxCommandEvent& event);
    void OnSmart(wxCommandEvent& event);
    void OnSmartSearch(wxCommandEvent& event);
    void OnBrowse(wxCommandEvent& event);
    void OnDefaults(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);

    // The values shown; the controls exchange them through validators.
    bool m_managerMode = true;
    bool m_userSave = false;
    bool m_automatic = true;
    bool m_bluetooth = false;
    bool m_serial = false;
    int m_serialIndex = 0;
    wxString m_bluetoothName;
    wxString m_bluetoothAddress;
    bool m_smart = true;
    wxString m_smartUUID;
    wxString m_smartName;
    int m_userLevel = 4;
    wxString m_folder;
    wxString m_portList;
    bool m_adminMode = false;
    CappOptionsFile m_record; // the fields the dialog does not show

    wxBitmapButton* m_levelButton = nullptr;
    wxCheckBox* m_managerBox = nullptr;
    wxCheckBox* m_userSaveBox = nullptr;
    wxCheckBox* m_smartBox = nullptr;
    wxStaticText* m_smartNameText = nullptr;
    wxButton* m_saveButton = nullptr;
    wxButton* m_okButton = nullptr;

private:
    void CreateControls();
    void TakeValues();
    void RunScanDialog();

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudOptions);
    wxDECLARE_EVENT_TABLE();
};

void gudShowAdminSettings();
void gudShowOptions();

// Replaces the toolkit's folder chooser of the Options dialog (tests): it gets
// the message and the starting folder and returns the chosen folder, or an
// empty text when cancelled.
using gudFolderChooser = std::function<wxString(const wxString& message, const wxString& start)>;
void gudSetFolderChooser(gudFolderChooser chooser);
