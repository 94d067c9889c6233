#include "dialogs/gudFetch.h"

#include "app/base/gumResCore.h"
#include "app/gumApp.h"
#include "app/gumWindowHelpers.h"
#include "data/docData.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutBoxRequest.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudFetch, wxDialog);

namespace {

constexpr int kTimerId = 1;
constexpr int kFeatureStoredFiles = 5;
constexpr int kFeatureFileDetails = 20;

CxutFetch* Mailbox()
{
    CxhwBoxes* boxes = xhwGetBoxes();
    return boxes ? &boxes->m_box.m_fetch : nullptr;
}

long SelectedRow(const wxListCtrl* list)
{
    return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

} // namespace

wxBEGIN_EVENT_TABLE(CgudFetch, wxDialog)
    EVT_INIT_DIALOG(CgudFetch::OnInitDialog)
    EVT_BUTTON(wxID_OK, CgudFetch::OnOK)
    EVT_UPDATE_UI(wxID_OK, CgudFetch::OnUpdateOK)
    EVT_BUTTON(wxID_HELP, CgudFetch::OnHelp)
    EVT_LIST_ITEM_ACTIVATED(ID_FETCH_LIST, CgudFetch::OnActivated)
    EVT_TIMER(kTimerId, CgudFetch::OnTimer)
wxEND_EVENT_TABLE()

wxString gudFetchKindText(int kind)
{
    switch (kind) {
    case 1: return gumGetString(33);
    case 2: return gumGetString(34);
    case 3: return gumGetString(35);
    case 4: return gumGetString(39);
    case 5: return gumGetString(2425);
    case 6: return gumGetString(2449);
    default: return _("Unknown");
    }
}

CgudFetch::CgudFetch() : m_timer(this, kTimerId) {}

CgudFetch::CgudFetch(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
    : m_timer(this, kTimerId)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style);
    CreateControls();
    Centre(wxBOTH);
}

CgudFetch::~CgudFetch()
{
    m_timer.Stop();
}

void CgudFetch::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    const long labelStyle = wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE;
    m_stateLabel = new wxStaticText(this, ID_FETCH_STATE, " ", wxDefaultPosition, wxDefaultSize, labelStyle);
    main->Add(m_stateLabel, 0, wxEXPAND | wxALL, 5);
    m_nameLabel = new wxStaticText(this, ID_FETCH_STATE, " ", wxDefaultPosition, wxDefaultSize, labelStyle);
    main->Add(m_nameLabel, 0, wxEXPAND | wxALL, 5);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Files available ( newest first):")), 0,
              wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 5);
    m_list = new wxListCtrl(this, ID_FETCH_LIST, wxDefaultPosition, wxSize(100, 100), wxLC_REPORT | wxLC_SINGLE_SEL);
    main->Add(m_list, 1, wxEXPAND | wxALL, 5);
    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&OK")));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel")));
    buttons->AddButton(new wxButton(this, wxID_HELP, _("&Help")));
    buttons->Realize();
    main->Add(buttons, 0, wxALIGN_CENTRE_HORIZONTAL | wxALL, 5);

    m_stateLabel->SetLabel(m_stateText);
    m_nameLabel->SetLabel(m_nameText);
    gumSetHeightInLines(m_list, 30, 60);
    gumSetWidthInChars(m_list, 60, 80);
    GetSizer()->Fit(this);
    gumKeepOnDisplay(this, nullptr, true);
}

int CgudFetch::ShowModal()
{
    m_timer.Start(200);
    gumBeforeShowModal();
    const int result = wxDialog::ShowModal();
    m_timer.Stop();
    return result;
}

void CgudFetch::OnInitDialog(wxInitDialogEvent& event)
{
    wxDialog::OnInitDialog(event);
    RefreshFromLogger();
}

void CgudFetch::OnTimer(wxTimerEvent&)
{
    RefreshFromLogger();
}

void CgudFetch::RefreshFromLogger()
{
    CxhwBoxes* boxes = xhwGetBoxes();
    if (boxes) {
        boxes->PumpBluetooth();
        boxes->GetPublicInfo(m_logger);
    }
    const CxutBoxInfo& info = m_logger.m_info;
    wxString name;
    xhwGetBoxName(name, 1, info);
    wxString state;
    bool usable = false;
    if (info.m_hardware == 0) {
        state = _("No logger connected");
    } else if (!xutHasFeature(kFeatureStoredFiles, info)) {
        state = gumGetString(2340);
    } else if (info.m_bootstrapFlag) {
        state = _("Logger is in bootstrap mode");
    } else if (info.m_loggerBusy) {
        state = _("The logger is busy");
    } else {
        state = _("Connected logger is");
        usable = true;
    }

    bool changed = false;
    if (usable != m_usable || state != m_stateText || name != m_nameText) {
        // A logger that cannot hand files over is not asked for them: the
        // request would only hold the dialog up for its time-out.
        m_listFailed = false;
        if (usable && boxes) {
            CxutBoxRequest request;
            request.m_code = BOX_REQUEST_LIST_FILES;
            boxes->PostRequest(request);
            m_listFailed = request.m_answer != BOX_ANSWER_DONE;
        }
        m_list->DeleteAllItems();
        if (name != m_nameText)
            m_nameLabel->SetLabel(name);
        m_usable = usable;
        m_stateText = state;
        m_nameText = name;
        changed = true;
    }

    CxutFetch* mailbox = Mailbox();
    const bool failed = m_usable && (m_listFailed || (mailbox && mailbox->GetListResult() < 0));
    const wxString shown = failed ? _("The list of stored files could not be read") : m_stateText;
    if (m_stateLabel->GetLabel() != shown)
        m_stateLabel->SetLabel(shown);

    const bool details = xutHasFeature(kFeatureFileDetails, info);
    changed = UpdateColumns(details) || changed;
    changed = UpdateRows(details) || changed;
    if (changed)
        SizeColumns();
}

bool CgudFetch::UpdateColumns(bool details)
{
    const int wanted = details ? 4 : 1;
    if (m_list->GetColumnCount() == wanted)
        return false;
    // Another logger may want other columns: the list starts again.
    m_list->ClearAll();
    m_list->InsertColumn(0, _("Name"));
    if (details) {
        m_list->InsertColumn(1, _("Type"));
        m_list->InsertColumn(2, _("Date"));
        m_list->InsertColumn(3, _("Time"));
    }
    return true;
}

bool CgudFetch::SetCell(long row, int column, const wxString& text)
{
    if (m_list->GetItemText(row, column) == text)
        return false;
    m_list->SetItem(row, column, text);
    return true;
}

bool CgudFetch::UpdateRows(bool details)
{
    CxutFetch* mailbox = Mailbox();
    // Files are shown only while they can be fetched.
    const int count = mailbox && m_usable ? mailbox->GetCount() : 0;
    bool changed = false;
    if (m_list->GetItemCount() > count) {
        m_list->DeleteAllItems();
        changed = true;
    }
    for (int i = 0; i < count; ++i) {
        CxutFetchFile file;
        if (!mailbox->GetFile(i, file))
            break; // the list was emptied meanwhile
        if (i >= m_list->GetItemCount()) {
            m_list->InsertItem(i, file.m_name);
            changed = true;
        }
        changed = SetCell(i, 0, file.m_name) || changed;
        if (details) {
            changed = SetCell(i, 1, gudFetchKindText(file.m_kind)) || changed;
            changed = SetCell(i, 2, docFormatDate(file.m_date)) || changed;
            changed = SetCell(i, 3, docFormatTime(file.m_time)) || changed;
        }
    }
    if (SelectedRow(m_list) < 0 && m_list->GetItemCount() > 0) {
        for (long row = 1; row < m_list->GetItemCount(); ++row)
            m_list->SetItemState(row, 0, wxLIST_STATE_SELECTED);
        m_list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }
    return changed;
}

void CgudFetch::SizeColumns()
{
    const int width = m_list->GetClientSize().x;
    const int columns = m_list->GetColumnCount();
    if (columns <= 1) {
        if (columns == 1)
            m_list->SetColumnWidth(0, width);
        return;
    }
    int others = 0;
    for (int c = 1; c < columns; ++c) {
        m_list->SetColumnWidth(c, wxLIST_AUTOSIZE);
        others += m_list->GetColumnWidth(c);
    }
    if (width - others < width / 4)
        m_list->SetColumnWidth(0, wxLIST_AUTOSIZE);
    else
        m_list->SetColumnWidth(0, width - others);
}

void CgudFetch::Choose()
{
    const long row = SelectedRow(m_list);
    if (!m_usable || row < 0 || !Validate() || !TransferDataFromWindow() || !m_usable)
        return;
    CxutFetch* mailbox = Mailbox();
    CxutFetchFile file;
    // A list renewed since it was shown may hold another file at that row.
    if (!mailbox || !mailbox->GetFile(int(row), file) || file.m_name != m_list->GetItemText(row, 0))
        return;
    m_chosenFile = file;
    EndModal(wxID_OK);
}

void CgudFetch::OnOK(wxCommandEvent&)
{
    Choose();
}

void CgudFetch::OnActivated(wxListEvent&)
{
    Choose();
}

void CgudFetch::OnUpdateOK(wxUpdateUIEvent& event)
{
    event.Enable(m_usable && SelectedRow(m_list) >= 0);
}

void CgudFetch::OnHelp(wxCommandEvent&)
{
    wxGetApp().ShowHelp(_("Fetch.htm"), this);
}
