#pragma once
#include <wx/dialog.h>

class CdocDoc;
class CdocField;
class CdocFieldKey;
class CgucChannel;

enum
{
    ID_FIELD_DETAILS_DIALOG = 10019,
    ID_FIELD_DETAILS_CHANNEL = 10011,
    ID_FIELD_DETAILS_NAME = 10020,
    ID_FIELD_DETAILS_UNITS = 10021,
};

// Modes of the channel details: an existing channel, a new manual channel,
// the first and the last step of a new formula channel.
enum
{
    DETAILS_MODE_PLAIN = 0,
    DETAILS_MODE_NEW = 1,
    DETAILS_MODE_CALC = 2,
    DETAILS_MODE_CALC_RESULT = 3,
};

// The definition of one channel of the document.
// Still thin: edits the name and units only (no description, colour, places,
// default range or initial value); picking another channel does not offer
// to save the edits; no Help; every mode shows the same title and OK.
class CgudFieldDetails : public wxDialog
{
public:
    CgudFieldDetails() = default;
    CgudFieldDetails(wxWindow* parent, wxWindowID id, const wxString& title,
                     const wxPoint& position = wxDefaultPosition, const wxSize& size = wxSize(400, 300),
                     long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudFieldDetails() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    void SetChannel(CdocField* field);
    void LoadDetails(const CdocField* field);
    void StoreDetails(CdocField& field) const;

    void OnChannel(wxCommandEvent& event);

    CgucChannel* m_channelCtrl = nullptr;
    wxString m_name;
    wxString m_units;
    CdocDoc* m_doc = nullptr;
    CdocField* m_field = nullptr;
    int m_mode = DETAILS_MODE_PLAIN;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudFieldDetails);
    wxDECLARE_EVENT_TABLE();
};

// Edits the channel's details; with choose the user may pick another channel,
// which the key then names. True when OK applied the details.
bool gudEditChannelDetails(CdocDoc* doc, CdocFieldKey& key, bool choose, int mode);
