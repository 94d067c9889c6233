#include "dialogs/gucListChannel.h"

#include "document/docDoc.h"
#include "views/gucChannel.h"

wxIMPLEMENT_DYNAMIC_CLASS(CgucListChannel, wxListCtrl);

CgucListChannel::CgucListChannel() = default;

CgucListChannel::CgucListChannel(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size,
                                 long style, const wxValidator& validator)
{
    Create(parent, id, position, size, style, validator, "listCtrl");
}

CgucListChannel::~CgucListChannel() = default;

void CgucListChannel::AddRow(const wxString& text, const wxColour& colour, CdocField* field)
{
    const long row = GetItemCount();
    wxListItem item;
    item.SetId(row);
    item.SetColumn(0);
    item.SetText(text);
    item.SetTextColour(colour);
    item.SetData(static_cast<void*>(field));
    InsertItem(item);
}

void CgucListChannel::FillChannels(CdocDoc* doc)
{
    m_doc = doc;
    InsertColumn(0, wxString(), wxLIST_FORMAT_LEFT, GetClientSize().x);
    if (doc) {
        const CdocFieldV& fields = doc->m_data.m_fields;
        for (int i = 0; i < fields.GetCount(); ++i) {
            CdocField* field = fields.GetAt(i);
            if (field && gucIsChannelListed(*field, m_includeIndex, m_includeAllSensors))
                AddRow(gucChannelTitle(*doc, *field), gucChannelColour(*field), field);
        }
    }
    if (m_includeNone)
        AddRow(_("None"), *wxBLACK, nullptr);
    if (m_includeTimeAndDate)
        AddRow(_("Time and Date"), *wxBLACK, nullptr);
    SetColumnWidth(0, wxLIST_AUTOSIZE);
}

int CgucListChannel::GetFirstSelectedRow() const
{
    return int(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

CdocField* CgucListChannel::GetSelectedChannel() const
{
    const int row = GetFirstSelectedRow();
    if (row < 0)
        return nullptr;
    return reinterpret_cast<CdocField*>(GetItemData(row));
}

void CgucListChannel::SelectRow(int row)
{
    for (long i = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i >= 0;
         i = GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        if (i != row)
            SetItemState(i, 0, wxLIST_STATE_SELECTED);
    }
    if (row >= 0 && row < GetItemCount() && !(GetItemState(row, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED))
        SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

int CgucListChannel::SelectChannel(CdocField* field)
{
    for (int row = 0; row < GetItemCount(); ++row) {
        if (reinterpret_cast<CdocField*>(GetItemData(row)) == field) {
            SelectRow(row);
            return row;
        }
    }
    return -1;
}
