// The document's side of the logger link: the events the logger threads post
// (6094 to 6097), the channels rebuilt from the logger's description, the
// deferred logger hints and the system-software prompts.
#include "document/docDoc.h"

#include "app/base/gumResCore.h"
#include "hardware/xhwBoxes.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xhwSystemMessages.h"
#include "transport/zxMessageBox.h"

#include <wx/intl.h>

namespace {

void PostInstallRequest()
{
    CxhwBoxes* boxes = xhwGetBoxes();
    if (!boxes)
        return;
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_INSTALL_SYSTEM;
    boxes->PostRequest(request);
}

} // namespace

bool docAskSystemUpdate()
{
    const wxString twoLines = zxNewLine() + zxNewLine();
    return zxQuestionBox(gumGetString(2450) + twoLines + gumGetString(2325) + twoLines + gumGetString(2451));
}

void CdocDoc::OnBoxUpdate(bool force)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->GetPublicInfo(m_boxInfo);
    const bool identity = m_boxInfo.m_info.m_changed;
    bool sensors = false;
    bool raw = false;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        const CxhwSensor& sensor = m_boxInfo.m_sensors[i];
        sensors = sensors || sensor.m_changedId || sensor.m_changedCal || sensor.m_changedEnable;
        raw = raw || sensor.m_changedRaw;
    }
    const bool status = m_boxInfo.m_stampChanged || m_boxInfo.m_powerChanged;
    const bool waiting = m_waitingForFind;

    if (waiting) {
        // The first logger found builds the channels from scratch.
        m_waitingForFind = false;
        m_data.AddReadingField(true, true);
        m_data.AddTimeField(true, true);
        m_data.SyncSensorFields(true, false, -1, -1);
        m_data.AssignColours();
        UpdateViews(HINT_CHANNELS_RESET, nullptr);
        m_graph.ChooseDefaultAxes();
        if (m_owner)
            m_owner->RenewFrameTitle();
    } else if (identity || sensors) {
        m_data.SyncSensorFields(false, false, -1, -1);
        m_data.AssignColours();
        UpdateViews(HINT_CHANNELS_RESET, nullptr);
        m_graph.ChooseRunAxes();
        if (m_owner)
            m_owner->RenewFrameTitle();
    }
    if (identity || sensors || raw) {
        int values[CxhwSensorV::kCount];
        m_boxInfo.m_sensors.GetRawValues(values);
        m_data.SetCurrentValues(values, false, false);
        m_control.UpdateOutputs();
    }
    // Several updates between two ticks give one hint, the first in order.
    if (waiting || identity || force)
        m_hintLinked = true;
    else if (sensors)
        m_hintSensors = true;
    else if (raw)
        m_hintValues = true;
    else if (status)
        m_hintStatus = true;
}

void CdocDoc::FlushBoxHints()
{
    int hint = 0;
    if (m_hintLinked)
        hint = HINT_BOX_LINKED;
    else if (m_hintSensors)
        hint = HINT_BOX_SENSORS;
    else if (m_hintValues)
        hint = HINT_BOX_VALUES;
    else if (m_hintStatus)
        hint = HINT_BOX_STATUS;
    m_hintLinked = m_hintSensors = m_hintValues = m_hintStatus = false;
    if (hint != 0)
        UpdateViews(hint, nullptr);
}

void CdocDoc::OnBoxChanged()
{
    if (m_state != DOC_STATE_READY)
        return;
    OnBoxUpdate(false);
    if (m_boxInfo.m_info.m_changed)
        CheckSystemSoftware();
}

void CdocDoc::OnLinkBroken()
{
    if (m_state != DOC_STATE_RUNNING)
        return;
    // The readings taken before the link broke are kept: whatever waits in
    // the queue is stored first.
    TickRun();
    if (m_state != DOC_STATE_RUNNING)
        return;
    StopRun();
    zxMessageBox(_("Link to logger broken"));
}

void CdocDoc::OnBoxRefresh()
{
    if (m_state != DOC_STATE_READY)
        return;
    OnBoxUpdate(true);
    UpdateViews(HINT_BOX_LINKED, nullptr);
}

void CdocDoc::OnBoxSystemState()
{
    if (m_state != DOC_STATE_READY)
        return;
    m_systemPrompt = true;
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->GetPublicInfo(m_boxInfo);
    UpdateViews(HINT_BOX_LINKED, nullptr);
    const CxhwSystemImage& install = m_boxInfo.m_install;
    switch (install.m_result) {
    case SYSTEM_RESULT_DONE: xhwShowSystemInstalledMessage(); break;
    case SYSTEM_RESULT_FILE_MISSING: xhwShowSystemFileMissingMessage(install.m_fileName); break;
    case SYSTEM_RESULT_FILE_CORRUPT: xhwShowCorruptSystemFileMessage(install.m_fileName); break;
    case SYSTEM_RESULT_WRONG_LOGGER: xhwShowWrongLoggerMessage(install.m_boxType); break;
    case SYSTEM_RESULT_NEEDS_USB: xhwShowUsbCableMessage(); break;
    default: xhwShowSystemInstallFailedMessage(); break;
    }
    m_systemPrompt = false;
}

void CdocDoc::CheckSystemSoftware()
{
    if (m_systemPrompt)
        return;
    m_systemPrompt = true;
    // An installation under way clears the flag when it has finished.
    if (m_boxInfo.m_install.m_stage != 0)
        return;
    const int type = m_boxInfo.m_info.m_hardware;
    if (type < 0 || type > 100 || !xhwSystemUpdateOffer[type]) {
        m_systemPrompt = false;
        return;
    }
    if (!m_boxInfo.m_info.m_bootstrapFlag) {
        // Loggers reporting 0.99 or less are never offered an update.
        const float carried = xhwGetSystemVersion(type);
        const float firmware = m_boxInfo.m_info.m_firmware;
        if (!(carried > firmware) || !(firmware > 0.99f)) {
            m_systemPrompt = false;
            return;
        }
    }
    if (docAskSystemUpdate())
        PostInstallRequest();
    else
        xhwSystemUpdateOffer[type] = false;
    m_systemPrompt = false;
}

void CdocDoc::ReloadSystemSoftware()
{
    if (m_state != DOC_STATE_READY)
        return;
    if (m_systemPrompt || m_boxInfo.m_install.m_stage != 0) {
        m_systemPrompt = true;
        return;
    }
    m_systemPrompt = true;
    const wxString twoLines = zxNewLine() + zxNewLine();
    if (zxQuestionBox(gumGetString(2325) + twoLines + gumGetString(2451)))
        PostInstallRequest();
    m_systemPrompt = false;
}
