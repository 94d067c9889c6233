#include "dialogs/gudSensorPH.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudSensorPH, wxDialog);

wxBEGIN_EVENT_TABLE(CgudSensorPH, wxDialog)
    EVT_UPDATE_UI(wxID_OK, CgudSensorPH::OnOkUpdate)
wxEND_EVENT_TABLE()

CgudSensorPH::CgudSensorPH(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                           const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudSensorPH::~CgudSensorPH() = default;

bool CgudSensorPH::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                          const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Press this button when the probe is in a solution of pH 7.00")),
              0, wxALL, 5);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
    main->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudSensorPH::OnOkUpdate(wxUpdateUIEvent& event)
{
    event.Enable(false);
}

bool gudCanCalibratePH(CdocDoc* doc, const CdocFieldKey& key)
{
    if (!doc || doc->m_state > DOC_STATE_READY)
        return false;
    const CdocField* field = doc->m_data.m_fields.Lookup(key);
    return field && field->m_content == CONTENT_SENSOR && field->m_fieldSensor.m_calib.m_fDlgPH;
}

bool gudCalibratePH(CdocDoc* doc, const CdocFieldKey& key)
{
    if (!gudCanCalibratePH(doc, key))
        return false;
    CgudSensorPH dialog(wxGetApp().m_frame, ID_SENSOR_PH_DIALOG, _("pH Calibration"));
    dialog.m_doc = doc;
    dialog.m_field = key;
    gumBeforeShowModal();
    return dialog.ShowModal() == wxID_OK;
}
