#include "document/gumDoc.h"

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

// Still thin: the channel commands and the channel-details dialog do nothing
// yet; the details answer OK.

bool CgumDoc::ShowChannelDetails(CdocFieldKey&, bool)
{
    return true;
}

void CgumDoc::EditChannelDetails() {}
void CgumDoc::SmoothChannel() {}
void CgumDoc::ConvertChannelUnits() {}
void CgumDoc::CustomScaleChannel() {}
void CgumDoc::InvertChannel() {}
void CgumDoc::DuplicateChannel() {}
void CgumDoc::FunctionPlot() {}
void CgumDoc::CalculateChannel() {}
void CgumDoc::TareChannel() {}
void CgumDoc::DeleteChannel() {}
void CgumDoc::CalibrateChannel() {}

bool CgumDoc::CanCalibrate()
{
    return false;
}
