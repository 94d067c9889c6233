#pragma once
#include "data/docFieldKey.h"

#include <wx/dialog.h>

class CdocDoc;

enum
{
    ID_SENSOR_PH_DIALOG = 10173,
};

// Recalibrates a pH sensor from one or two buffer solutions and writes the
// new calibration into the logger.
// Still thin: no buffer steps, readings, refresh timer or calibration
// request yet; OK is never enabled, so it never reports a calibration.
class CgudSensorPH : public wxDialog
{
public:
    CgudSensorPH() = default;
    CgudSensorPH(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxSize(400, 300),
                 long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudSensorPH() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);

    void OnOkUpdate(wxUpdateUIEvent& event);

    CdocDoc* m_doc = nullptr;
    CdocFieldKey m_field;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSensorPH);
    wxDECLARE_EVENT_TABLE();
};

// Whether the channel is a connected pH sensor that the document, while
// ready, may calibrate.
bool gudCanCalibratePH(CdocDoc* doc, const CdocFieldKey& key);
// Runs the pH calibration on the channel; true when the logger took the new
// calibration.
bool gudCalibratePH(CdocDoc* doc, const CdocFieldKey& key);
