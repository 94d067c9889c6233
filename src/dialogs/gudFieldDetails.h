#pragma once
#include <functional>
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dialog.h>

class CdocDoc;
class CdocField;
class CdocFieldHdr;
class CdocFieldKey;
class CgucChannel;
class wxBitmapButton;
class wxColourData;
class wxRadioBox;
class wxStaticText;
class wxTextCtrl;

enum
{
    ID_FIELD_DETAILS_DIALOG = 10019,
    ID_FIELD_DETAILS_CHANNEL = 10011,
    ID_FIELD_DETAILS_NAME = 10020,
    ID_FIELD_DETAILS_UNITS = 10021,
    ID_FIELD_DETAILS_VALUE = 10022,
    ID_FIELD_DETAILS_DESCRIPTION = 10023,
    ID_FIELD_DETAILS_MAX = 10024,
    ID_FIELD_DETAILS_MIN = 10025,
    ID_FIELD_DETAILS_VALUE_LABEL = 10026,
    ID_FIELD_DETAILS_PLACES = 10033,
    ID_FIELD_DETAILS_COLOUR_LABEL = 10121,
    ID_FIELD_DETAILS_COLOUR = 10170,
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

// The definition of one channel of the document: name, units, description,
// colour, decimal places, default range and initial value.
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
    void StoreDetails(CdocFieldHdr& field) const;
    // Stores the members into the channel and brings the document up to date.
    void ApplyDetails(CdocField& field);
    bool TransferDataToWindow() override;
    void UpdateSwatch();

    void OnChannel(wxCommandEvent& event);
    void OnColour(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);

    // The colour choice shared by every channel details dialog of the run.
    static wxColourData& GetColourData();
    static void ResetColourData();

    CgucChannel* m_channelCtrl = nullptr;
    wxTextCtrl* m_nameCtrl = nullptr;
    wxTextCtrl* m_unitsCtrl = nullptr;
    wxStaticText* m_valueLabel = nullptr;
    wxTextCtrl* m_valueCtrl = nullptr;
    wxBitmapButton* m_colourButton = nullptr;
    wxRadioBox* m_placesBox = nullptr;
    wxTextCtrl* m_maxCtrl = nullptr;
    wxTextCtrl* m_minCtrl = nullptr;
    int m_places = 0;
    wxString m_description;
    wxString m_max;
    wxString m_min;
    wxString m_name;
    wxString m_units;
    wxString m_value;
    CdocDoc* m_doc = nullptr;
    CdocField* m_field = nullptr;
    int m_mode = DETAILS_MODE_PLAIN;
    bool m_selectValue = false;
    wxColour m_colour{0, 0, 0};
    wxBitmap m_swatch;

private:
    // The channel had no colour of its own when it was loaded.
    bool m_colourUnset = false;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudFieldDetails);
    wxDECLARE_EVENT_TABLE();
};

// The side of a square swatch that gives a bitmap button the height of a
// plain button: starts at the button height less 8 (at least 4) and steps
// toward it, within 4 to 100, until the measured height matches or the steps
// turn back.
int gudFindSwatchSide(int buttonHeight, const std::function<int(int)>& measure);

// Edits the channel's details; with choose the user may pick another channel,
// which the key then names. True when OK applied the details.
bool gudEditChannelDetails(CdocDoc* doc, CdocFieldKey& key, bool choose, int mode);
