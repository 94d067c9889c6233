#include "views/gpmChannel.h"

#include "app/base/gumIds.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"
#include "views/gucChannel.h"

#include <wx/intl.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgpmChannel, wxMenu);

wxBEGIN_EVENT_TABLE(CgpmChannel, wxMenu)
    EVT_MENU(ID_PICK_NONE, CgpmChannel::OnNone)
    EVT_MENU_RANGE(ID_PICK_NONE, ID_PICK_CHANNEL_LAST, CgpmChannel::OnChannel)
wxEND_EVENT_TABLE()

CgpmChannel::CgpmChannel() = default;

CgpmChannel::~CgpmChannel() = default;

bool CgpmChannel::ShowPopup(wxWindow* window, CdocDoc* doc, CdocField* current, bool offerNone,
    bool offerTimeAndDate, bool includeIndex, bool includeAllSensors)
{
    BuildItems(doc, current, offerNone, offerTimeAndDate, includeIndex, includeAllSensors);
    if (!window && wxTheApp)
        window = wxGetApp().m_frame;
    gumPopupMenu(window, *this);
    return m_chosen;
}

void CgpmChannel::BuildItems(CdocDoc* doc, CdocField* current, bool offerNone, bool offerTimeAndDate,
    bool includeIndex, bool includeAllSensors)
{
    m_doc = doc;
    m_offerNone = offerNone;
    m_offerTimeAndDate = offerTimeAndDate;
    m_includeIndex = includeIndex;
    m_includeAllSensors = includeAllSensors;

    if (doc) {
        const CdocFieldV& fields = doc->m_data.m_fields;
        int n = 0;
        for (int i = 0; i < fields.GetCount() && ID_PICK_CHANNEL_FIRST + n <= ID_PICK_CHANNEL_LAST; ++i) {
            CdocField* field = fields.GetAt(i);
            if (!field || !gucIsChannelListed(*field, includeIndex, includeAllSensors))
                continue;
            AppendCheckItem(ID_PICK_CHANNEL_FIRST + n, gucChannelTitle(*doc, *field), wxEmptyString)
                ->Check(field == current);
            ++n;
        }
    }
    if (offerNone) {
        AppendSeparator();
        AppendCheckItem(ID_PICK_NONE, _("None"), wxEmptyString)->Check(!current);
    }
    if (offerTimeAndDate) {
        AppendSeparator();
        AppendCheckItem(ID_PICK_NONE, _("Time and Date"), wxEmptyString)->Check(!current);
    }
    m_chosen = false;
    m_chosenKey.Clear();
    m_chosenField = nullptr;
}

CdocField* CgpmChannel::GetChosenChannel()
{
    return m_doc ? m_doc->m_data.m_fields.Find(m_chosenKey) : nullptr;
}

void CgpmChannel::OnNone(wxCommandEvent& event)
{
    m_chosen = true;
    m_chosenKey.Clear();
    m_chosenField = nullptr;
}

void CgpmChannel::OnChannel(wxCommandEvent& event)
{
    m_chosen = true;
    m_chosenKey.Clear();
    m_chosenField = nullptr;
    if (!m_doc)
        return;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    int n = 0;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* field = fields.GetAt(i);
        if (!field || !gucIsChannelListed(*field, m_includeIndex, m_includeAllSensors))
            continue;
        if (ID_PICK_CHANNEL_FIRST + n == event.GetId()) {
            m_chosenKey = CdocFieldKey(field->m_key, -1, field);
            m_chosenField = field;
            return;
        }
        ++n;
    }
}
