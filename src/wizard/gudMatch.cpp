#include "wizard/gudMatch.h"

#include "data/docData.h"
#include "document/docHint.h"

void gudRefreshSensorChannels(CdocData& data, const CxhwSensor* sensors, int count)
{
    if (!sensors)
        count = 0;
    CdocFieldV& fields = data.m_fields;
    for (int i = fields.GetCount() - 1; i >= 0; --i) {
        CdocField& field = *fields.GetAt(i);
        if (field.m_content != CONTENT_SENSOR)
            continue;
        if (field.m_socket < 0 || field.m_socket >= count) {
            fields.RemoveAt(i);
            data.PostChange(TABLE_COLS_DELETED, i, 1);
        } else {
            field.RefreshSensor(field.m_socket, sensors[field.m_socket], false, true);
        }
    }
}
