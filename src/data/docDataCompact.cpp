#include "data/docData.h"
#include "document/docDoc.h"

#include <algorithm>

bool CdocData::CompactHalf()
{
    const int records = std::clamp(m_records, 0, DOC_MAX_SAMPLES);
    const int half = records > 0 ? (records - 1) / 2 : 0;
    m_interval *= 2.0;
    bool timeAxisChanged = false;
    for (int i = 0; i < m_fields.m_count; ++i) {
        CdocField& field = *m_fields.GetAt(i);
        field.HalveSamples(records);
        if (field.m_content == CONTENT_READING) {
            const float top = float(m_maxRecords - 1);
            field.m_cal.m_max = top;
            field.m_def.m_max = top;
            field.m_now.m_max = top;
        } else if (field.m_content == CONTENT_ELAPSED_TIME) {
            // A run that grew long enough is shown in the next coarser unit.
            const double span = m_interval * half;
            const double gain = field.m_gain;
            if ((gain > 1.0 / 60.0 && span >= 600.0) || (gain > 1.0 / 3600.0 && span >= 36000.0)) {
                const double shown = gain != 0.0 ? (field.m_now.m_max - field.m_offset) / gain : 0.0;
                field.SetTimeAxis(m_interval, std::max(span, shown));
                field.m_dataRange.Set(field.m_samples[half], 0.0f);
                timeAxisChanged = true;
            }
        }
    }
    if (timeAxisChanged && m_doc)
        m_doc->m_graph.ShareScales();

    // A merged record is marked when either of its two was.
    std::array<uint8_t, DOC_MAX_SAMPLES> marks{};
    for (int i = 0; i <= half && 2 * i < records; ++i) {
        const bool first = m_marks[2 * i] != 0;
        const bool second = 2 * i + 1 < records && m_marks[2 * i + 1] != 0;
        marks[i] = first || second ? 1 : 0;
    }
    m_marks = marks;
    m_logNext = half + 1;
    SetRecords(half + 1);
    return true;
}
