#pragma once
#include "data/docFieldKey.h"

#include <wx/menu.h>

class CdocDoc;
class CdocField;

// The graph's channel pop-up: lists the document's channels (by the pickers'
// rule), optionally "None" or "Time and Date", ticks the current choice and
// keeps what was chosen. One pop-up per object.
class CgpmChannel : public wxMenu
{
public:
    CgpmChannel();
    ~CgpmChannel() override;

    // Builds the items, pops them up on the window (the main frame when none)
    // at the mouse and answers, once closed, whether an item was chosen.
    bool ShowPopup(wxWindow* window, CdocDoc* doc, CdocField* current, bool offerNone, bool offerTimeAndDate,
                   bool includeIndex, bool includeAllSensors);
    // The chosen channel; none after "None", "Time and Date" or no choice.
    CdocField* GetChosenChannel();
    // The items of a pop-up; the choice is cleared.
    void BuildItems(CdocDoc* doc, CdocField* current, bool offerNone, bool offerTimeAndDate, bool includeIndex,
                    bool includeAllSensors);

    CdocDoc* m_doc = nullptr;
    bool m_includeIndex = true;
    bool m_includeAllSensors = true;
    bool m_offerNone = true;
    bool m_offerTimeAndDate = false;
    bool m_chosen = false;
    CdocFieldKey m_chosenKey;
    CdocField* m_chosenField = nullptr;

private:
    void OnNone(wxCommandEvent& event);
    void OnChannel(wxCommandEvent& event);

    wxDECLARE_DYNAMIC_CLASS(CgpmChannel);
    wxDECLARE_EVENT_TABLE();
};
