#pragma once
#include "protocol/xutBoxPublicInfo.h"

#include <wx/dialog.h>
#include <wx/timer.h>

class CdocDoc;
class wxGridBagSizer;

enum
{
    ID_MATCH_ROW_DISABLE_1 = 10000, // rows 1 to 9: 10000 to 10008
    ID_MATCH_DIALOG = 10123,
    ID_MATCH_STORED_NAME_0 = 10124,
    ID_MATCH_TEMPLATE_TITLE = 10125,
    ID_MATCH_SENSORS_TITLE = 10126, // rows 1 to 9 of the stored names follow it
    ID_MATCH_CONNECTED_TEXT = 10136,
    ID_MATCH_STORED_ICON = 10146,
    ID_MATCH_CONNECTED_ICON = 10156,
    ID_MATCH_ROW_DISABLE_0 = 10166,
    ID_MATCH_REFRESH = 10167,
};

// The pairing of a template's stored sensors with the connected ones, one
// row per stored sensor: its icon and name, and the input it is paired with
// (a tick when the stored calibration is kept). Follows the logger while it
// is open; OK asks first when the pairing is incomplete.
class CgudMatch : public wxDialog
{
public:
    static constexpr int kRows = 10;

    CgudMatch();
    CgudMatch(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
              const wxSize& size = wxSize(400, 300), long style = wxDEFAULT_DIALOG_STYLE);
    ~CgudMatch() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                const wxSize& size = wxSize(400, 300), long style = wxDEFAULT_DIALOG_STYLE);

    // The window ids of a table row's five controls.
    static int StoredIconId(int row) { return ID_MATCH_STORED_ICON + row; }
    static int StoredNameId(int row) { return row == 0 ? ID_MATCH_STORED_NAME_0 : ID_MATCH_SENSORS_TITLE + row; }
    static int ConnectedIconId(int row) { return ID_MATCH_CONNECTED_ICON + row; }
    static int ConnectedTextId(int row) { return ID_MATCH_CONNECTED_TEXT + row; }
    static int DisableId(int row) { return row == 0 ? ID_MATCH_ROW_DISABLE_0 : ID_MATCH_ROW_DISABLE_1 - 1 + row; }

    // Recomputes the pairing and shows it.
    void Fill();
    // Takes a fresh copy of the logger's description and fills the table
    // again when anything in it changed. Hides the window's repaint request,
    // which the toolkit still reaches through its own virtual.
    void Refresh();
    // Switches off the input paired with the row's stored sensor.
    void DisableRowSensor(int row);

    void OnRefreshSensors(wxCommandEvent& event);
    void OnDisableRow(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnUpdateOK(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);

    wxGridBagSizer* m_grid = nullptr;
    CdocDoc* m_doc = nullptr;
    CxutBoxPublicInfo m_box;
    wxTimer m_timer;

private:
    void CreateControls();
    void Relayout();

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudMatch);
    wxDECLARE_EVENT_TABLE();
};

// Runs the match dialog over the main frame; true when it ended with OK.
bool gudRunMatchDialog(CdocDoc& doc);
