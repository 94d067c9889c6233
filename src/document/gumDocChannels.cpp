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
    if (!appIsAllowed(FEATURE_CHANNEL_DETAILS))
        return;
    CdocFieldKey key;
    const bool fromPopup = GetTargetChannel(key, true, false);
    if (!m_doc.m_data.m_fields.Find(key))
        return;
    gudEditChannelDetails(&m_doc, key, !fromPopup, DETAILS_MODE_PLAIN);
}

void CgumDoc::SmoothChannel()
{
    if (!appIsAllowed(FEATURE_SMOOTH))
        return;
    CdocFieldKey key;
    const bool fromPopup = GetTargetChannel(key, false, false);
    CdocData& data = m_doc.m_data;
    CdocField* field = data.m_fields.Find(key);
    if (!field)
        return;
    if (appIsAllowed(FEATURE_SMOOTH_DIALOG)) {
        data.SaveSmoothing();
        CgudSmooth dialog(wxGetApp().m_frame, ID_SMOOTH_DIALOG, _("Smooth"));
        CgucChannel* channels = dialog.m_channelCtrl;
        channels->Clear();
        channels->m_includeIndex = false;
        channels->m_includeAllSensors = false;
        channels->AddChannels(&m_doc);
        channels->Enable(!fromPopup);
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
    if (!fromPopup &&
        !ChooseChannel(key, _("Smooth Channel"),
                       _("The selected channel is smoothed, typically to reduce noise on the graph."),
                       "ChannelSmooth.htm", false, false, false, false, false))
        return;
    data.SmoothField(key);
}

void CgumDoc::ConvertChannelUnits()
{
    if (!appIsAllowed(FEATURE_UNIT_CONVERSIONS))
        return;
    CdocFieldKey key;
    const bool fromPopup = GetTargetChannel(key, true, false);
    CdocField* field = m_doc.m_data.m_fields.Find(key);
    if (!field)
        return;
    CgudUnitConversions dialog(wxGetApp().m_frame, ID_UNIT_CONVERSIONS_DIALOG, _("Unit Conversions"));
    CgucChannel* channels = dialog.m_channelCtrl;
    channels->Clear();
    channels->m_includeIndex = true;
    channels->m_includeAllSensors = false;
    channels->AddChannels(&m_doc);
    channels->Enable(!fromPopup);
    dialog.SetChannel(field);
    dialog.SelectConversion(nullptr);
    dialog.Layout();
    dialog.Fit();
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return;
    CdocField* chosen = channels->GetSelectedChannel();
    if (!chosen)
        return;
    float gain = 1.0f;
    float offset = 0.0f;
    if (!dialog.GetGainOffset(gain, offset))
        return;
    // No conversion keeps the units; the name always stays.
    const CxhwSenConvert* conversion = dialog.m_conversionCtrl->GetSelectedConversion();
    const wxString units = conversion ? conversion->m_toUnits : chosen->m_unit;
    m_doc.m_data.ConvertField(CdocFieldKey(chosen->m_key, -1, chosen), chosen->m_name, units, gain, offset);
}

void CgumDoc::CustomScaleChannel()
{
    if (!appIsAllowed(FEATURE_CUSTOM_SCALE))
        return;
    CdocFieldKey key;
    const bool fromPopup = GetTargetChannel(key, true, false);
    CdocField* field = m_doc.m_data.m_fields.Find(key);
    if (!field)
        return;
    CgudCustomScale dialog(wxGetApp().m_frame, ID_CUSTOM_SCALE_DIALOG, _("Custom Scale"));
    CgucChannel* channels = dialog.m_channelCtrl;
    channels->Clear();
    channels->m_includeIndex = true;
    channels->m_includeAllSensors = false;
    channels->AddChannels(&m_doc);
    channels->Enable(!fromPopup);
    dialog.SetChannel(field);
    dialog.Layout();
    dialog.Fit();
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return;
    CdocField* chosen = channels->GetSelectedChannel();
    if (!chosen)
        return;
    float gain = 1.0f;
    float offset = 0.0f;
    if (!dialog.GetGainOffset(gain, offset))
        return;
    m_doc.m_data.ConvertField(CdocFieldKey(chosen->m_key, -1, chosen), dialog.m_newName, dialog.m_newUnits, gain,
                              offset);
}

void CgumDoc::InvertChannel()
{
    if (!appIsAllowed(FEATURE_INVERT))
        return;
    CdocFieldKey key;
    const bool fromPopup = GetTargetChannel(key, true, false);
    if (!m_doc.m_data.m_fields.Find(key))
        return;
    if (!fromPopup &&
        !ChooseChannel(key, _("Invert Values"),
                       _("All values in the selected channel are inverted, so positive values become negative "
                         "values."),
                       "ChannelInvert.htm", false, true, false, false, false))
        return;
    m_doc.m_data.InvertField(key);
}

void CgumDoc::DuplicateChannel()
{
    if (!appIsAllowed(FEATURE_DUPLICATE_CHANNEL))
        return;
    CdocFieldKey key;
    const bool fromPopup = GetTargetChannel(key, true, false);
    if (!m_doc.m_data.m_fields.Find(key))
        return;
    if (!fromPopup &&
        !ChooseChannel(key, _("Duplicate Channel"), _("The selected channel is duplicated (a copy is made)."),
                       "ChannelDuplicate.htm", false, true, false, false, false))
        return;
    if (!m_doc.m_data.DuplicateField(key, nullptr))
        zxMessageBox(gumGetString(691));
}

void CgumDoc::FunctionPlot()
{
    if (!appIsAllowed(FEATURE_FUNCTION_PLOT))
        return;
    CdocFieldKey key;
    GetTargetChannel(key, true, false);
    if (!m_doc.m_data.m_fields.Find(key))
        return;
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
    if (!appIsAllowed(FEATURE_TARE))
        return;
    CdocFieldKey key;
    const bool fromPopup = GetTargetChannel(key, true, false);
    if (!m_doc.m_data.m_fields.Find(key))
        return;
    gudTareChannel(&m_doc, key, !fromPopup);
}

void CgumDoc::DeleteChannel()
{
    if (!appIsAllowed(FEATURE_DELETE_CHANNEL))
        return;
    CdocFieldKey key;
    const bool fromPopup = GetTargetChannel(key, false, true);
    if (!m_doc.m_data.m_fields.Find(key))
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
