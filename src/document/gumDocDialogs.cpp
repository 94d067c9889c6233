#include "document/gumDoc.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "dialogs/gucListChannel.h"
#include "dialogs/gudAnnotate.h"
#include "dialogs/gudChannel.h"
#include "dialogs/gudClock.h"
#include "dialogs/gudControl.h"
#include "dialogs/gudFetch.h"
#include "dialogs/gudNotes.h"
#include "dialogs/gudStamp.h"
#include "dialogs/gudTitle.h"
#include "views/gucChannel.h"
#include "views/grnDC.h"
#include "wizard/gudMatch.h"
#include "wizard/gudMatchTemplate.h"
#include "wizard/gudSetupWizard.h"

#include <algorithm>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/fontdlg.h>
#include <wx/utils.h>

namespace {

wxWindow* MainFrame()
{
    return wxGetApp().m_frame;
}

// Moves a dialog to the mouse pointer, inside its display and unshrunk.
void MoveToMouse(wxWindow* dialog)
{
    const wxPoint mouse = wxGetMousePosition();
    gumKeepOnDisplay(dialog, &mouse, false);
}

// The set-up rule of the set-up commands.
bool CanRunSetup(const CdocDoc& doc)
{
    if (!appIsAllowed(FEATURE_SETUP))
        return false;
    if (doc.m_state == DOC_STATE_READY)
        return true;
    const int source = doc.m_data.m_dataSource;
    return doc.m_state == DOC_STATE_STOPPED &&
           (source == DATA_SOURCE_SIMULATOR || source == DATA_SOURCE_FILE || source == DATA_SOURCE_LIVE) &&
           (doc.m_activity == ACTIVITY_PERIODIC || doc.m_activity == ACTIVITY_TIMING ||
            doc.m_activity == ACTIVITY_FAST);
}

} // namespace

bool CgumDoc::ChooseChannel(CdocFieldKey& key, const wxString& title, const wxString& explanation,
                            const wxString& helpPage, bool atMouse, bool timeChannels, bool deadSensors,
                            bool noneEntry, bool timeAndDateEntry)
{
    CdocField* current = m_doc.m_data.m_fields.Find(key);
    CgudChannel dialog(MainFrame(), ID_CHANNEL_DIALOG, _("Channel"));
    dialog.SetTitle(title);
    dialog.m_text = explanation;
    dialog.m_help = helpPage;
    CgucListChannel* list = dialog.m_list;
    list->ClearAll();
    list->m_includeIndex = timeChannels;
    list->m_includeAllSensors = deadSensors;
    list->m_includeNone = noneEntry;
    list->m_includeTimeAndDate = timeAndDateEntry;
    list->FillChannels(&m_doc);
    list->SelectChannel(current);

    const int rows = list->GetItemCount();
    const int h = std::max(list->GetCharHeight(), 1);
    const int lines = (int(rows * h * 1.5) + h - 1) / h + 1;
    gumSetHeightInLines(list, lines, 60);
    dialog.GetSizer()->SetSizeHints(&dialog);
    gumPostSizeEvent(&dialog, &dialog);
    dialog.Centre(wxBOTH);
    dialog.Fit();
    if (atMouse)
        MoveToMouse(&dialog);
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return false;
    CdocField* chosen = list->GetSelectedChannel();
    key = chosen ? CdocFieldKey(chosen->m_key, -1, chosen) : CdocFieldKey();
    return true;
}

void CgumDoc::EditTitle(bool atMouse)
{
    if (!appIsAllowed(FEATURE_TITLE))
        return;
    CgudTitle dialog(MainFrame(), ID_TITLE_DIALOG, _("Title"));
    dialog.m_text = m_doc.m_title;
    dialog.m_showTitle = true;
    if (atMouse)
        MoveToMouse(&dialog);
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return;
    m_doc.m_title = dialog.m_text;
    m_doc.m_viewTitle = dialog.m_showTitle;
    m_doc.ModifyAndUpdateViews(HINT_TITLE, nullptr);
}

void CgumDoc::ChooseAxisX(bool atMouse)
{
    CdocFieldV& fields = m_doc.m_data.m_fields;
    CdocFieldKey elapsed;
    const bool offerTimeAndDate =
        fields.FindContent(elapsed, 0, CONTENT_ELAPSED_TIME) && appIsAllowed(FEATURE_TIME_AND_DATE_AXIS);
    if (!appIsAllowed(FEATURE_SCALE_X))
        return;
    CdocField* x = m_doc.m_graph.GetFieldX();
    CdocFieldKey key = x ? CdocFieldKey(x->m_key, -1, x) : CdocFieldKey();
    if (offerTimeAndDate && x && x->m_key == elapsed.m_key && m_doc.m_graphTimeAndDate)
        key = CdocFieldKey();
    if (!ChooseChannel(key, _("Graph X Axis"), _("Choose a channel for the X axis."), "GraphAxis.htm", atMouse,
                       true, false, false, offerTimeAndDate))
        return;
    m_doc.m_graph.SetFieldX(fields.Find(key));
}

void CgumDoc::ChooseAxisLeft(bool atMouse)
{
    if (!appIsAllowed(FEATURE_SCALE_LEFT))
        return;
    CdocField* left = m_doc.m_graph.GetFieldL();
    CdocFieldKey key = left ? CdocFieldKey(left->m_key, -1, left) : CdocFieldKey();
    if (!ChooseChannel(key, _("Graph Left Axis"), _("Choose a channel for the left Y axis."), "GraphAxis.htm",
                       atMouse, false, false, true, false))
        return;
    m_doc.m_graph.SetFieldL(m_doc.m_data.m_fields.Find(key));
}

void CgumDoc::ChooseAxisRight(bool atMouse)
{
    if (!appIsAllowed(FEATURE_SCALE_RIGHT))
        return;
    CdocField* right = m_doc.m_graph.GetFieldR();
    CdocFieldKey key = right ? CdocFieldKey(right->m_key, -1, right) : CdocFieldKey();
    if (!ChooseChannel(key, _("Graph Right Axis"), _("Choose a channel for the right Y axis."), "GraphAxis.htm",
                       atMouse, false, false, true, false))
        return;
    m_doc.m_graph.SetFieldR(m_doc.m_data.m_fields.Find(key));
}

void CgumDoc::EditControlOutputs(int output)
{
    if (!appIsAllowed(FEATURE_CONTROL_OUTPUTS))
        return;
    if (output < 0 || output > 5) {
        output = -1;
        for (int i = 0; i < DOC_MAX_OUTPUT_RULES && output < 0; ++i)
            if (m_doc.m_boxInfo.IsOutputAvailable(i))
                output = i;
        if (output < 0)
            return;
    }
    CgudControl dialog(MainFrame(), ID_CONTROL_DIALOG, _("Control Output Set Up"));
    dialog.m_doc = &m_doc;
    dialog.m_rules = m_doc.m_control.m_rules;
    dialog.m_output = output;
    dialog.Fit();
    dialog.Centre(wxBOTH);
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return;
    m_doc.m_control.m_rules = dialog.m_rules;
    // During a run the next tick evaluates them.
    if (m_doc.m_state == DOC_STATE_READY)
        m_doc.m_control.UpdateOutputs();
}

void CgumDoc::RunSetupWizard()
{
    if (!CanRunSetup(m_doc))
        return;
    if (m_doc.m_data.m_dataSource == DATA_SOURCE_FILE && !gudMatchTemplate(m_doc))
        return;
    CgudSetupWizard wizard;
    wizard.m_doc = &m_doc;
    wizard.m_setup = m_doc.m_setup;
    wizard.m_setup.AdjustToLogger(m_doc);
    if (!wizard.Create(MainFrame(), ID_SETUP_WIZARD))
        return;
    wizard.m_setup = m_doc.m_setup;
    wizard.m_setup.AdjustToLogger(m_doc);
    wxWizardPage* first = wizard.m_pageType;
    if (m_doc.m_state > DOC_STATE_READY) {
        switch (wizard.m_setup.m_setup) {
        case SETUP_LOG_PERIODIC: first = wizard.m_pageDuration; break;
        case SETUP_LOG_FAST_TRIGGER:
            wizard.m_setup.UpdateTriggeredCalib(m_doc, xhwHasMivaOption(m_doc));
            first = wizard.m_setup.m_triggerHasChoices ? static_cast<wxWizardPage*>(wizard.m_pageRange)
                                                       : wizard.m_pageDuration;
            break;
        case SETUP_LOG_PERIODIC_ADVANCED: first = wizard.m_pageReadings; break;
        case SETUP_LOG_TIMING: first = wizard.m_pageTimingMeasurement; break;
        default: break;
        }
    }
    gumBeforeShowModal();
    if (!wizard.RunWizard(first))
        return;
    m_doc.m_setup = wizard.m_setup;
    if (CappOptions* options = appGetOptions())
        options->m_setup = m_doc.m_setup;
    m_doc.ApplySetup();
}

bool CgumDoc::RunMatchDialog(CdocDoc& doc)
{
    return gudRunMatchDialog(doc);
}

void CgumDoc::SetLoggerClock()
{
    CgudClock dialog(MainFrame(), ID_CLOCK_DIALOG, _("Set Logger's Clock"));
    gumBeforeShowModal();
    dialog.ShowModal();
}

void CgumDoc::SetLoggerStamp()
{
    CgudStamp dialog(MainFrame(), ID_STAMP_DIALOG, _("Set Logger's Security Stamp"));
    gumBeforeShowModal();
    dialog.ShowModal();
}

void CgumDoc::FetchFromLogger()
{
    CgudFetch dialog(MainFrame(), ID_FETCH_DIALOG, _("Fetch from Ombex"));
    // The dialog's own ShowModal calls the before-modal hook.
    if (dialog.ShowModal() == wxID_OK)
        m_doc.StartFetch(dialog.GetChosenFile());
}

void CgumDoc::EditNotes()
{
    if (!appIsAllowed(FEATURE_NOTES))
        return;
    CgudNotes dialog(MainFrame(), ID_NOTES_DIALOG, _("Notes"));
    dialog.m_text = m_doc.m_notes;
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return;
    m_doc.m_notes = dialog.m_text;
    Modify(true);
}

void CgumDoc::EditGraphFont()
{
    if (!appIsAllowed(FEATURE_GRAPH_FONT))
        return;
    wxFont font;
    if (m_doc.m_graph.m_font.empty() || !font.SetNativeFontInfo(m_doc.m_graph.m_font) || !font.IsOk())
        grnUseDefaultFont(font);
    wxFontData data;
    data.SetInitialFont(font);
    data.SetAllowSymbols(false);
    data.EnableEffects(false);
    wxFontDialog dialog(MainFrame(), data);
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxFont chosen = dialog.GetFontData().GetChosenFont();
    if (!chosen.IsOk())
        return;
    m_doc.m_graph.m_font = chosen.GetNativeFontInfoDesc();
    m_doc.ModifyAndUpdateViews(HINT_GRAPH_STYLE, nullptr);
}

void CgumDoc::Annotate()
{
    m_doc.m_annotations.RemoveOrphans();
    if (!appIsAllowed(FEATURE_ANNOTATE))
        return;
    CdocGraph& graph = m_doc.m_graph;
    CdocField* x = graph.GetFieldX();
    if (!x)
        return;
    CdocField* y = graph.GetFieldL();
    if (!y)
        y = graph.GetFieldR();
    if (!y) {
        CdocFieldKey first;
        if (m_doc.m_data.m_fields.GetNonTime(first, 0))
            y = m_doc.m_data.m_fields.Find(first);
    }
    if (!y)
        return;
    CgudAnnotate dialog(MainFrame(), ID_ANNOTATE_DIALOG, _("Graph Annotation"));
    dialog.m_doc = &m_doc;
    CgucChannel* channels = dialog.m_channelCtrl;
    channels->Clear();
    channels->m_includeIndex = false;
    channels->m_includeAllSensors = false;
    channels->AddChannels(&m_doc);
    channels->SelectChannel(y);
    dialog.Fit();
    dialog.Centre(wxBOTH);
    gumBeforeShowModal();
    switch (dialog.ShowModal()) {
    case wxID_OK: m_doc.m_annotations.BeginPlace(dialog.m_text, x, channels->GetSelectedChannel()); break;
    case ID_ANNOTATE_DELETE_LAST: m_doc.m_annotations.DeleteLast(); break;
    case ID_ANNOTATE_DELETE_ALL: m_doc.m_annotations.DeleteAll(); break;
    default: break;
    }
}
