#pragma once
#include <wx/listctrl.h>

class CdocDoc;
class CdocField;

// The channel list of the dialogs: one row per channel, its title in its
// colour and the channel as the row's data, then optionally "None" and
// "Time and Date" rows without a channel. Callers create it in report view
// without a header and clear it whole (ClearAll) before every fill.
class CgucListChannel : public wxListCtrl
{
public:
    CgucListChannel();
    CgucListChannel(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL,
                    const wxValidator& validator = wxDefaultValidator);
    ~CgucListChannel() override;

    // Adds the rows; removes nothing.
    void FillChannels(CdocDoc* doc);
    // The channel of the first selected row; none for no selection and for
    // the rows without a channel.
    CdocField* GetSelectedChannel() const;
    // Makes the channel's row the only selected one and returns its position;
    // -1, selection unchanged, when no row carries it.
    int SelectChannel(CdocField* field);
    int GetFirstSelectedRow() const;
    void SelectRow(int row);

    CdocDoc* m_doc = nullptr;
    bool m_includeIndex = true;
    bool m_includeAllSensors = true;
    bool m_includeNone = true;
    bool m_includeTimeAndDate = false;

private:
    void AddRow(const wxString& text, const wxColour& colour, CdocField* field);

    wxDECLARE_DYNAMIC_CLASS(CgucListChannel);
};
