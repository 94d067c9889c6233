#pragma once
#include "data/docCalc.h"

#include <wx/dialog.h>

class CdocDoc;
class CdocField;
class CdocFieldKey;
class CgucChannel;
class CgucListChannel;
class wxBoxSizer;
class wxListEvent;

enum
{
    ID_CALC_DIALOG = 10091,
    ID_CALC_KEY_ADD = 10092,
    ID_CALC_KEY_SUBTRACT = 10093,
    ID_CALC_KEY_MULTIPLY = 10094,
    ID_CALC_KEY_DIVIDE = 10095,
    ID_CALC_KEY_7 = 10096,
    ID_CALC_KEY_8 = 10097,
    ID_CALC_KEY_9 = 10098,
    ID_CALC_KEY_4 = 10099,
    ID_CALC_KEY_5 = 10100,
    ID_CALC_KEY_6 = 10101,
    ID_CALC_KEY_1 = 10102,
    ID_CALC_KEY_2 = 10103,
    ID_CALC_KEY_3 = 10104,
    ID_CALC_KEY_0 = 10105,
    ID_CALC_KEY_POWER = 10106,
    ID_CALC_KEY_POINT = 10107,
    ID_CALC_KEY_OPEN = 10108,
    ID_CALC_KEY_CLOSE = 10109,
    ID_CALC_KEY_SQRT = 10110,
    ID_CALC_FORMULA = 10111,
    ID_CALC_KEY_DELETE = 10112,
    ID_CALC_CHANNEL_LABEL = 10113,
    ID_CALC_FORMULA_LABEL = 10114,
    ID_CALC_NEW = 10122,
    ID_CALC_CHANNEL = 10011,
    ID_CALC_LIST = 10027,
};

// Writes the formula of a formula channel with a keypad and a channel list.
// Edits a working copy of one formula; only a save (OK, or yes to the
// question when another formula is chosen) writes it to the document.
class CgudCalc : public wxDialog
{
public:
    CgudCalc();
    CgudCalc(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
             const wxSize& size = wxSize(400, 300),
             long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudCalc() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    // Makes the formula channel (or none) current and loads its formula.
    void SetChannel(CdocField* field);
    // True when the formula was stored, or there is no channel.
    bool SaveFormula(CdocField* field);
    // False when the user wanted the formula saved and it could not be.
    bool AskSaveFormula();
    void FillFormulaChannels();
    bool TransferDataToWindow() override;

    void OnChannelChosen(wxCommandEvent& event);
    void OnNew(wxCommandEvent& event);
    void OnListSelected(wxListEvent& event);
    void OnKey(wxCommandEvent& event);
    void OnUpdateKey(wxUpdateUIEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnTextFocus(wxFocusEvent& event);
    void OnListDoubleClick(wxMouseEvent& event);

    wxBoxSizer* m_mainSizer = nullptr;
    CgucChannel* m_channelCtrl = nullptr;
    CgucListChannel* m_list = nullptr;
    wxString m_formula;
    CdocDoc* m_doc = nullptr;
    CdocField* m_field = nullptr;
    CdocCalc m_calc;

private:
    // Whether the key's operation may be used on the working formula now.
    bool CanPress(int id) const;
    void UpdateFormulaText();
    void CommitFormulas();

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudCalc);
    wxDECLARE_EVENT_TABLE();
};

// Opens the formula dialog on the channel when it is a formula channel, else
// on the document's last formula channel, else on a new one (whose details
// are asked first; cancelling them opens nothing). True on OK.
bool gudCalculate(CdocDoc* doc, CdocFieldKey& key);
