#include "document/gumDoc.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "app/base/gumIds.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenCalibChoiceV.h"

#include <vector>
#include <wx/menu.h>

namespace {

// The most calibration choices an input offers: one id each from
// ID_CHANNEL_RANGE_FIRST on.
constexpr int kMaxCalibChoices = 20;

struct CalibChoice
{
    wxString label;
    int calibIndex = 0;
    int code = 0;
    bool selected = false;
};

// The calibration choices of a logger input, as the channel menu offers them
// and the choice commands apply them: built the same way both times, so an
// item's number names the same choice when it is chosen.
std::vector<CalibChoice> BuildCalibChoices(const CxutBoxPublicInfo& box, int input)
{
    std::vector<CalibChoice> result;
    if (input < 0 || input >= CxhwSensorV::kCount)
        return result;
    const CxhwSensor& sensor = box.m_sensors[input];
    CxhwSenCalibChoiceV choices;
    choices.Build(box.m_info, sensor, true, true, true, 0.0, false, false);
    for (int i = 0; i < choices.GetCount(); ++i) {
        CalibChoice choice;
        choice.label = choices[i].m_label;
        choice.calibIndex = choices[i].m_index;
        choice.code = choices[i].m_code;
        choice.selected = choices.IsSelected(sensor, i);
        result.push_back(choice);
    }
    return result;
}

// The connected-sensor channel's logger input, or -1.
int SensorInput(const CdocField& field)
{
    if (field.m_content != CONTENT_SENSOR || field.m_fieldSensor.IsEmpty())
        return -1;
    if (field.m_socket < 0 || field.m_socket >= CxhwSensorV::kCount)
        return -1;
    return field.m_socket;
}

wxWindow* PopupWindow(wxWindow* window)
{
    if (window || !wxTheApp)
        return window;
    return wxGetApp().m_frame;
}

// Names the channel for the commands of the menu while it is shown.
class PopupChannel
{
public:
    PopupChannel(CdocFieldKey& popup, const CdocFieldKey& key) : m_popup(popup) { m_popup = key; }
    ~PopupChannel() { m_popup.Clear(); }
    PopupChannel(const PopupChannel&) = delete;
    PopupChannel& operator=(const PopupChannel&) = delete;

private:
    CdocFieldKey& m_popup;
};

} // namespace

void CgumDoc::ShowChannelMenu(wxWindow* window, CdocFieldKey key)
{
    const CdocField* field = m_doc.m_data.m_fields.Find(key);
    if (!field)
        return;
    if (field->m_content != CONTENT_SENSOR) {
        ShowChannelOpsMenu(window, key);
        return;
    }
    const int input = SensorInput(*field);
    if (input < 0)
        return;
    wxMenu menu;
    if (field->m_fieldEnable) {
        menu.Append(ID_CHANNEL_ENABLE, _("Disable"), _("Disable"));
        const std::vector<CalibChoice> choices = BuildCalibChoices(m_doc.m_boxInfo, input);
        if (!choices.empty())
            menu.AppendSeparator();
        for (size_t i = 0; i < choices.size() && i < size_t(kMaxCalibChoices); ++i) {
            const int id = ID_CHANNEL_RANGE_FIRST + int(i);
            menu.AppendCheckItem(id, choices[i].label, wxString());
            menu.Check(id, choices[i].selected);
        }
        if (appIsAllowed(FEATURE_CHANNEL_MENU)) {
            const CxhwSenCalib& calib = m_doc.m_boxInfo.m_sensors[input].m_calib;
            menu.AppendSeparator();
            gumAppendDataMenu(&menu, m_doc.m_state == DOC_STATE_READY, true, calib.m_fDlgOnePoint,
                              calib.m_fDlgTwoPoint, calib.m_fDlgInvert,
                              calib.m_fDlgPH || calib.m_fDlgColorimeter);
        }
    } else {
        menu.Append(ID_CHANNEL_ENABLE, _("Enable"), _("Enable"));
    }
    PopupChannel popup(m_popupChannel, key);
    gumPopupMenu(PopupWindow(window), menu);
}

void CgumDoc::ShowChannelOpsMenu(wxWindow* window, CdocFieldKey key)
{
    if (!appIsAllowed(FEATURE_CHANNEL_MENU))
        return;
    const CdocField* field = m_doc.m_data.m_fields.Find(key);
    if (!field)
        return;
    bool onePoint = true;
    bool twoPoint = true;
    bool invert = true;
    if (field->m_content == CONTENT_SENSOR) {
        const CxhwSenCalib& calib = field->m_fieldSensor.m_calib;
        onePoint = calib.m_fDlgOnePoint;
        twoPoint = calib.m_fDlgTwoPoint;
        invert = calib.m_fDlgInvert;
    }
    wxMenu menu;
    gumAppendDataMenu(&menu, m_doc.m_state == DOC_STATE_READY, true, onePoint, twoPoint, invert, false);
    if (menu.GetMenuItemCount() == 0)
        return;
    PopupChannel popup(m_popupChannel, key);
    gumPopupMenu(PopupWindow(window), menu);
}

void CgumDoc::ShowGraphMenu(wxWindow* window)
{
    if (!appIsAllowed(FEATURE_GRAPH_MENU))
        return;
    wxMenu menu;
    gumAppendGraphMenu(&menu);
    if (menu.GetMenuItemCount() > 0)
        gumPopupMenu(PopupWindow(window), menu);
}

void CgumDoc::ToggleChannelInput(CdocFieldKey key)
{
    const CdocField* field = m_doc.m_data.m_fields.Find(key);
    const int input = field ? SensorInput(*field) : -1;
    CxhwBoxes* boxes = xhwGetBoxes();
    if (input < 0 || !boxes)
        return;
    boxes->SetSensorEnable(input, !m_doc.m_boxInfo.m_sensors[input].m_enable);
}

void CgumDoc::ChooseCalibration(int choice)
{
    const CdocField* field = m_doc.m_data.m_fields.Find(m_popupChannel);
    const int input = field ? SensorInput(*field) : -1;
    CxhwBoxes* boxes = xhwGetBoxes();
    if (input < 0 || !boxes)
        return;
    const std::vector<CalibChoice> choices = BuildCalibChoices(m_doc.m_boxInfo, input);
    if (choice < 0 || choice >= int(choices.size()) || choice >= kMaxCalibChoices)
        return;
    boxes->SetSensorCalibration(input, choices[size_t(choice)].calibIndex, choices[size_t(choice)].code);
}
