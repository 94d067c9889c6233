#pragma once
#include <wx/dialog.h>

class CdocField;
class CgucChannel;

enum
{
    ID_SMOOTH_DIALOG = 10039,
    ID_SMOOTH_CHANNEL = 10011,
    ID_SMOOTH_SLIDER = 10040,
};

// How strongly a channel is smoothed. Every move of the slider is applied at
// once so that the graph shows it; the caller undoes them on Cancel.
class CgudSmooth : public wxDialog
{
public:
    CgudSmooth() = default;
    CgudSmooth(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
               const wxSize& size = wxSize(400, 300),
               long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudSmooth() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    // Selects the channel and takes its smoothing count, which becomes the
    // one Cancel restores.
    void SetChannel(CdocField* field);

    void OnChannel(wxCommandEvent& event);
    void OnSlider(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);

    CgucChannel* m_channelCtrl = nullptr;
    int m_smoothing = 0;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSmooth);
    wxDECLARE_EVENT_TABLE();
};
