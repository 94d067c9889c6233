#pragma once
#include <wx/dialog.h>

class CdocDoc;
class CdocField;
class CdocFieldKey;
class CgucChannel;
class wxTextCtrl;

enum
{
    ID_TARE_DIALOG = 10028,
    ID_TARE_CHANNEL = 10011,
    ID_TARE_FROM = 10024,
    ID_TARE_TO = 10025,
};

// Shifts every value of a channel so that one reading becomes a chosen value.
class CgudTare : public wxDialog
{
public:
    CgudTare() = default;
    CgudTare(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
             const wxSize& size = wxSize(400, 300),
             long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudTare() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    // The channel to tare, both values prefilled with its present reading.
    void SetChannel(CdocField* field);
    bool TransferDataToWindow() override;

    void OnChannel(wxCommandEvent& event);
    void OnUpdateOk(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);

    CgucChannel* m_channelCtrl = nullptr;
    wxTextCtrl* m_fromCtrl = nullptr;
    wxTextCtrl* m_toCtrl = nullptr;
    wxString m_from;
    wxString m_to;
    CdocDoc* m_doc = nullptr;
    CdocField* m_field = nullptr;
    bool m_selectTo = true;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudTare);
    wxDECLARE_EVENT_TABLE();
};

// Tares the channel; with choose the user may pick another channel, which
// the key then names. True when a tare was applied.
bool gudTareChannel(CdocDoc* doc, CdocFieldKey& key, bool choose);
