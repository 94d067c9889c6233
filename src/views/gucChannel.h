#pragma once
#include <wx/odcombo.h>

class CdocDoc;
class CdocField;

// Whether a channel picker lists the channel: reading-number and elapsed-time
// channels only with includeIndex; sensor channels without a sensor or with
// their input off only with includeAllSensors.
bool gucIsChannelListed(const CdocField& field, bool includeIndex, bool includeAllSensors);
// A channel's label in the pickers: its letter, name and units.
wxString gucChannelTitle(const CdocDoc& doc, const CdocField& field);
// A channel's drawing colour; black when none was chosen.
wxColour gucChannelColour(const CdocField& field);

// The channel drop-down of the dialogs: each item a channel, drawn in its
// colour; items without a channel (a caller's own texts) are drawn plainly.
class CgucChannel : public wxOwnerDrawnComboBox
{
public:
    CgucChannel();
    CgucChannel(wxWindow* parent, wxWindowID id, const wxString& value = wxEmptyString,
                const wxPoint& position = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                const wxArrayString& choices = wxArrayString(), long style = 0,
                const wxValidator& validator = wxDefaultValidator);
    ~CgucChannel() override;

    // Appends the listed channels after the items already there.
    void AddChannels(CdocDoc* doc);
    // None when nothing (or an item without a channel) is selected.
    CdocField* GetSelectedChannel();
    // Selects the first item of the channel (none: the first item without
    // one) and returns its index; -1, selection unchanged, when none has it.
    int SelectChannel(CdocField* field);

    void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    wxCoord OnMeasureItem(size_t item) const override;
    wxCoord OnMeasureItemWidth(size_t item) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    // The toolkit's, but in the plain window colours whatever the focus or
    // state, so that the channels' colours stay readable.
    void PrepareBackground(wxDC& dc, const wxRect& rect, int flags) const override;

    bool m_includeIndex = true;
    bool m_includeAllSensors = true;

private:
    CdocField* ChannelAt(int item) const;

    wxDECLARE_DYNAMIC_CLASS(CgucChannel);
    wxDECLARE_EVENT_TABLE();
};
