#include "document/gumDoc.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "app/base/gumResCore.h"
#include "dialogs/gudCalc.h"
#include "dialogs/gudCustomScale.h"
#include "dialogs/gudFieldDetails.h"
#include "dialogs/gudFunction.h"
#include "dialogs/gudSensorPH.h"
#include "dialogs/gudSmooth.h"
#include "dialogs/gudTare.h"
#include "dialogs/gudUnitConversions.h"
#include "dialogs/gucConversion.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenCalib.h"
#include "transport/zxMessageBox.h"
#include "views/gucChannel.h"

#include <wx/sizer.h>

namespace {

bool IsTimeContent(int content)
{
    return content == CONTENT_READING || content == CONTENT_ELAPSED_TIME;
}

bool IsAcceptable(const CdocField& field, bool allowTime, bool anySensor)
{
    if (!allowTime && IsTimeContent(field.m_content))
        return false;
    return anySensor || field.m_content != CONTENT_SENSOR
        || (!field.m_fieldSensor.IsEmpty() && field.m_fieldEnable);
}

// The channel of an allowed command; false when the command is not allowed
// or there is no channel to act on. fromPopup: the channel came from a
// channel menu, which fixes it.
bool GetCommandChannel(CgumDoc& doc, int feature, bool allowTime, bool anySensor, CdocFieldKey& key,
                       bool& fromPopup)
{
    if (!appIsAllowed(feature))
        return false;
    fromPopup = doc.GetTargetChannel(key, allowTime, anySensor);
    return doc.m_doc.m_data.m_fields.Find(key) != nullptr;
}

// A channel from a channel menu is taken as it is; otherwise the user
// confirms or picks one, plain entries only.
bool ConfirmChannel(CgumDoc& doc, CdocFieldKey& key, bool fromPopup, const wxString& title,
                    const wxString& explanation, const wxString& helpPage, bool timeChannels)
{
    return fromPopup || doc.ChooseChannel(key, title, explanation, helpPage, false, timeChannels, false, false, false);
}

// A dialog's channel picker, fixed on a channel from a channel menu.
void FillChannelPicker(CgucChannel* channels, CdocDoc* doc, bool includeIndex, bool fromPopup)
{
    channels->Clear();
    channels->m_includeIndex = includeIndex;
    channels->m_includeAllSensors = false;
    channels->AddChannels(doc);
    channels->Enable(!fromPopup);
}

// Shows a gain and offset dialog; its chosen channel, or none when cancelled
// or the gain and offset do not hold.
template <class Dialog>
CdocField* RunGainOffsetDialog(Dialog& dialog, float& gain, float& offset)
{
    dialog.Layout();
    dialog.Fit();
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return nullptr;
    CdocField* chosen = dialog.m_channelCtrl->GetSelectedChannel();
    if (!chosen || !dialog.GetGainOffset(gain, offset))
        return nullptr;
    return chosen;
}

} // namespace

bool CgumDoc::GetTargetChannel(CdocFieldKey& key, bool allowTime, bool anySensor)
{
    const CdocFieldV& fields = m_doc.m_data.m_fields;
    // A pop-up's channel is used even when it does not suit: no other is tried.
    if (const CdocField* popup = fields.Find(m_popupChannel)) {
        if (IsAcceptable(*popup, allowTime, anySensor))
            key = m_popupChannel;
        else
            key = CdocFieldKey();
        return true;
    }
    CdocFieldKey found;
    if (fields.GetNonSource(found, 0)) {
        key = found;
        return false;
    }
    for (int n = 0; n < fields.GetCount(); ++n) {
        CdocFieldKey sensor;
        if (!fields.GetSensor(sensor, n))
            break;
        const CdocField* field = fields.Find(sensor);
        if (!field)
            break;
        if (IsAcceptable(*field, allowTime, anySensor)) {
            key = sensor;
            return false;
        }
    }
    if (allowTime
        && (fields.FindContent(found, 0, CONTENT_ELAPSED_TIME)
            || fields.FindContent(found, 0, CONTENT_READING))) {
        key = found;
        return false;
    }
    key = CdocFieldKey();
    return false;
}

bool CgumDoc::ShowChannelDetails(CdocFieldKey& key, bool choose)
{
    return gudEditChannelDetails(&m_doc, key, choose, DETAILS_MODE_PLAIN);
}

// The data store passes 0 as the choose flag: a new channel is never switched.
bool CgumDoc::ShowNewChannelDetails(CdocFieldKey& key, int choose)
{
    return gudEditChannelDetails(&m_doc, key, choose != 0, DETAILS_MODE_NEW);
}

bool CgumDoc::ShowCalcChannelDetails(CdocFieldKey& key, int choose)
{
    return gudEditChannelDetails(&m_doc, key, choose != 0, DETAILS_MODE_CALC);
}

bool CgumDoc::ShowCalcResultDetails(CdocFieldKey& key, int choose)
{
    return gudEditChannelDetails(&m_doc, key, choose != 0, DETAILS_MODE_CALC_RESULT);
}

void CgumDoc::EditChannelDetails()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (GetCommandChannel(*this, FEATURE_CHANNEL_DETAILS, true, false, key, fromPopup))
        gudEditChannelDetails(&m_doc, key, !fromPopup, DETAILS_MODE_PLAIN);
}

void CgumDoc::SmoothChannel()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (!GetCommandChannel(*this, FEATURE_SMOOTH, false, false, key, fromPopup))
        return;
    CdocData& data = m_doc.m_data;
    if (appIsAllowed(FEATURE_SMOOTH_DIALOG)) {
        CdocField* field = data.m_fields.Find(key);
        data.SaveSmoothing();
        CgudSmooth dialog(wxGetApp().m_frame, ID_SMOOTH_DIALOG, _("Smooth"));
        FillChannelPicker(dialog.m_channelCtrl, &m_doc, false, fromPopup);
        dialog.SetChannel(field);
        dialog.TransferDataToWindow();
        dialog.Layout();
        dialog.GetSizer()->SetSizeHints(&dialog);
        dialog.Fit();
        gumBeforeShowModal();
        if (dialog.ShowModal() != wxID_OK)
            data.RestoreSmoothing();
        return;
    }
    if (!ConfirmChannel(*this, key, fromPopup, _("Smooth Channel"),
                        _("The selected channel is smoothed, typically to reduce noise on the graph."),
                        "ChannelSmooth.htm", false))
        return;
    data.SmoothField(key);
}

void CgumDoc::ConvertChannelUnits()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (!GetCommandChannel(*this, FEATURE_UNIT_CONVERSIONS, true, false, key, fromPopup))
        return;
    CgudUnitConversions dialog(wxGetApp().m_frame, ID_UNIT_CONVERSIONS_DIALOG, _("Unit Conversions"));
    FillChannelPicker(dialog.m_channelCtrl, &m_doc, true, fromPopup);
    dialog.SetChannel(m_doc.m_data.m_fields.Find(key));
    dialog.SelectConversion(nullptr);
    float gain = 1.0f;
    float offset = 0.0f;
    CdocField* chosen = RunGainOffsetDialog(dialog, gain, offset);
    if (!chosen)
        return;
    // No conversion keeps the units; the name always stays.
    const CxhwSenConvert* conversion = dialog.m_conversionCtrl->GetSelectedConversion();
    const wxString units = conversion ? conversion->m_toUnits : chosen->m_unit;
    m_doc.m_data.ConvertField(CdocFieldKey(chosen->m_key, -1, chosen), chosen->m_name, units, gain, offset);
}

void CgumDoc::CustomScaleChannel()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (!GetCommandChannel(*this, FEATURE_CUSTOM_SCALE, true, false, key, fromPopup))
        return;
    CgudCustomScale dialog(wxGetApp().m_frame, ID_CUSTOM_SCALE_DIALOG, _("Custom Scale"));
    FillChannelPicker(dialog.m_channelCtrl, &m_doc, true, fromPopup);
    dialog.SetChannel(m_doc.m_data.m_fields.Find(key));
    float gain = 1.0f;
    float offset = 0.0f;
    CdocField* chosen = RunGainOffsetDialog(dialog, gain, offset);
    if (!chosen)
        return;
    m_doc.m_data.ConvertField(CdocFieldKey(chosen->m_key, -1, chosen), dialog.m_newName, dialog.m_newUnits, gain,
                              offset);
}

void CgumDoc::InvertChannel()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (!GetCommandChannel(*this, FEATURE_INVERT, true, false, key, fromPopup))
        return;
    if (!ConfirmChannel(*this, key, fromPopup, _("Invert Values"),
                        _("All values in the selected channel are inverted, so positive values become negative "
                          "values."),
                        "ChannelInvert.htm", true))
        return;
    m_doc.m_data.InvertField(key);
}

void CgumDoc::DuplicateChannel()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (!GetCommandChannel(*this, FEATURE_DUPLICATE_CHANNEL, true, false, key, fromPopup))
        return;
    if (!ConfirmChannel(*this, key, fromPopup, _("Duplicate Channel"),
                        _("The selected channel is duplicated (a copy is made)."), "ChannelDuplicate.htm", true))
        return;
    if (!m_doc.m_data.DuplicateField(key, nullptr))
        zxMessageBox(gumGetString(691));
}

void CgumDoc::FunctionPlot()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (GetCommandChannel(*this, FEATURE_FUNCTION_PLOT, true, false, key, fromPopup))
        gudFunctionPlot(&m_doc, key);
}

void CgumDoc::CalculateChannel()
{
    if (!appIsAllowed(FEATURE_CALCULATE))
        return;
    CdocFieldKey key;
    GetTargetChannel(key, false, false);
    gudCalculate(&m_doc, key);
}

void CgumDoc::TareChannel()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (GetCommandChannel(*this, FEATURE_TARE, true, false, key, fromPopup))
        gudTareChannel(&m_doc, key, !fromPopup);
}

void CgumDoc::DeleteChannel()
{
    CdocFieldKey key;
    bool fromPopup = false;
    if (!GetCommandChannel(*this, FEATURE_DELETE_CHANNEL, false, true, key, fromPopup))
        return;
    if (!ChooseChannel(key, _("Delete Channel"),
                       _("The selected channel is deleted. Warning: The channel's data will be permanently lost."),
                       "ChannelDelete.htm", fromPopup, false, true, false, false))
        return;
    const CdocField* field = m_doc.m_data.m_fields.Find(key);
    if (!field)
        return;
    // Switched off at the logger too, or the channel comes back with the
    // next logger update.
    const int socket = field->m_socket;
    if (m_doc.m_state == DOC_STATE_READY && field->m_content == CONTENT_SENSOR && field->m_fieldEnable &&
        !field->m_fieldSensor.IsEmpty() && socket >= 0 && socket < CxhwSensorV::kCount) {
        if (CxhwBoxes* boxes = xhwGetBoxes())
            boxes->SetSensorEnable(socket, !m_doc.m_boxInfo.m_sensors[socket].m_enable);
    }
    m_doc.m_data.DeleteField(key);
}

void CgumDoc::CalibrateChannel()
{
    if (!appIsAllowed(FEATURE_CUSTOM_SCALE) || !CanCalibrate())
        return;
    CdocFieldKey key;
    GetTargetChannel(key, true, false);
    gudCalibratePH(&m_doc, key);
}

bool CgumDoc::CanCalibrate()
{
    CdocFieldKey key;
    GetTargetChannel(key, true, false);
    return gudCanCalibratePH(&m_doc, key);
}
