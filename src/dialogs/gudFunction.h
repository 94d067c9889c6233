#pragma once
#include <wx/dialog.h>

class CdocDoc;
class CdocField;
class CdocFieldKey;
class CgucChannel;
class wxBoxSizer;
class wxChoice;
class wxStaticText;

enum
{
    ID_FUNCTION_DIALOG = 10041,
    ID_FUNCTION_CHANNEL_B = 10000,
    ID_FUNCTION_CHANNEL_A = 10011,
    ID_FUNCTION_CHOICE = 10042,
    ID_FUNCTION_LABEL_B = 10078,
    ID_FUNCTION_LABEL_A = 10079,
};

// A new channel computed from one or two channels: a best straight line, a
// gradient, an area, a difference or a product. The dialog only chooses; its
// runner asks the data store for the channel.
class CgudFunction : public wxDialog
{
public:
    CgudFunction();
    CgudFunction(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxSize(400, 300), long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    ~CgudFunction() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    // Whether channel a may be used with the function.
    bool IsChannelAllowed(int function, const CdocField* field) const;
    // For a difference or product without channel b: the channel after a,
    // else the one before it; b unchanged otherwise.
    CdocField* DefaultChannelB(int function, CdocField* a, CdocField* b) const;
    void BuildDescription(int function, const CdocField* a, const CdocField* b);
    // The graph's x channel, else elapsed time, else reading number.
    CdocField* GetXChannel() const;
    // Elapsed time, else reading number.
    CdocField* GetTimeChannel() const;

    void FillFunctions();
    void FillChannelsA();
    void FillChannelsB();
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnChange(wxCommandEvent& event);
    void OnOkUpdate(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);

    wxBoxSizer* m_mainSizer = nullptr;
    wxStaticText* m_labelA = nullptr;
    CgucChannel* m_channelBCtrl = nullptr;
    CgucChannel* m_channelACtrl = nullptr;
    wxChoice* m_functionCtrl = nullptr;
    wxStaticText* m_labelB = nullptr;
    wxString m_description;
    // The function code, 1 to 5 (the data store's function modes).
    int m_function = 1;
    CdocField* m_fieldA = nullptr;
    CdocField* m_fieldB = nullptr;
    CdocDoc* m_doc = nullptr;

private:
    // The last channel allowed for the function; none when none is.
    CdocField* LastAllowed(int function) const;
    // The function code of the selected item; 0 without a selection.
    int SelectedFunction() const;
    wxString Letter(const CdocField* field) const;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudFunction);
    wxDECLARE_EVENT_TABLE();
};

// Opens the function dialog on channel a; on OK adds the new channel, or
// reports that it cannot be added. True on OK with a valid choice.
bool gudFunctionPlot(CdocDoc* doc, CdocFieldKey& key);
