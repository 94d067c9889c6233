// Calculating the formula channels: over all stored records after a change,
// and step by step while logging. A formula channel keeps its running value
// from one step to the next, so a formula that reads its own channel, or a
// formula channel calculated after it, reads the previous step's value.
#include "data/docCalcs.h"

#include "data/docData.h"
#include "data/docField.h"
#include "document/docDoc.h"

#include <algorithm>
#include <array>

namespace {

bool IsSourceContent(int content)
{
    return content == CONTENT_READING || content == CONTENT_ELAPSED_TIME || content == CONTENT_SENSOR;
}

} // namespace

float CdocCalcs::Scale(const CdocField& result, float value)
{
    // No value is stored as it comes, without gain and offset.
    if (docIsNoValue(value))
        return DOC_NO_VALUE;
    return docFiniteOrNoValue(value * result.m_gain + result.m_offset);
}

void CdocCalcs::MarkSourceFormulas()
{
    if (!m_doc)
        return;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < m_count; ++i) {
        CdocCalc* calc = GetAt(i);
        CdocField* result = GetResult(*calc);
        if (!result)
            continue;
        for (int k = 0; k < fields.GetCount(); ++k) {
            const CdocField* field = fields.GetAt(k);
            if (IsSourceContent(field->m_content) && UsesField(calc, field)) {
                result->ClearProcessing();
                break;
            }
        }
    }
}

void CdocCalcs::RecalculateAll()
{
    if (!m_doc)
        return;
    CdocData& data = m_doc->m_data;
    const CdocFieldV& fields = data.m_fields;
    const int fieldCount = std::min(fields.GetCount(), DOC_MAX_FIELDS);

    // The channel set does not change during a recalculation: look up once.
    std::array<CdocField*, DOC_MAX_FIELDS> inputs{};
    int inputCount = 0;
    for (int k = 0; k < fieldCount; ++k) {
        CdocField* field = fields.GetAt(k);
        if (field->m_content == CONTENT_FORMULA)
            field->m_running = docFiniteOrNoValue(field->m_manual);
        else
            inputs[size_t(inputCount++)] = field;
    }
    std::array<CdocCalc*, DOC_MAX_CALCS> calcs{};
    std::array<CdocField*, DOC_MAX_CALCS> results{};
    int calcCount = 0;
    for (int i = 0; i < m_count && calcCount < DOC_MAX_CALCS; ++i) {
        if (CdocField* result = GetResult(*GetAt(i))) {
            calcs[size_t(calcCount)] = GetAt(i);
            results[size_t(calcCount++)] = result;
        }
    }

    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    for (int n = 0; n < records; ++n) {
        for (int k = 0; k < inputCount; ++k)
            inputs[size_t(k)]->m_running = inputs[size_t(k)]->m_samples[n];
        for (int i = 0; i < calcCount; ++i) {
            CdocField& result = *results[size_t(i)];
            const float x = Scale(result, calcs[size_t(i)]->Evaluate());
            result.m_running = x;
            result.m_samples[n] = x;
            result.m_unsmoothed[n] = x;
            result.m_dataRange.Extend(x);
        }
    }

    for (int k = 0; k < fieldCount; ++k)
        if (fields.GetAt(k)->m_content == CONTENT_FORMULA)
            fields.GetAt(k)->UpdateDataRange();
}

bool CdocCalcs::RecalculateIfUses(const CdocField* field)
{
    if (!IsFieldUsed(field))
        return false;
    RecalculateAll();
    return true;
}

bool CdocCalcs::RecalculateChannel(const CdocField* field)
{
    if (!field || field->m_content != CONTENT_FORMULA)
        return false;
    CdocCalc* own = FindByChannel(field);
    if (!own)
        return false;
    // The initial value shows only where some formula reads the channel
    // before the channel's own formula has written it.
    bool shows = UsesField(own, field);
    const int ownIndex = IndexOf(own);
    for (int i = 0; !shows && i < ownIndex; ++i)
        shows = UsesField(GetAt(i), field);
    if (shows)
        RecalculateAll();
    return shows;
}

void CdocCalcs::StartRun()
{
    if (!m_doc)
        return;
    MarkSourceFormulas();
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* field = fields.GetAt(i);
        if (field->m_content == CONTENT_FORMULA) {
            field->m_current = field->m_running = field->m_runningPrevious = docFiniteOrNoValue(field->m_manual);
        } else {
            field->m_running = field->m_current;
            field->m_runningPrevious = DOC_NO_VALUE;
        }
    }
    CalculateLatest();
}

void CdocCalcs::CalculateLatest()
{
    if (!m_doc)
        return;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* field = fields.GetAt(i);
        field->m_running = field->m_content == CONTENT_FORMULA ? field->m_runningPrevious : field->m_current;
    }
    for (int i = 0; i < m_count; ++i) {
        CdocCalc* calc = GetAt(i);
        if (CdocField* result = GetResult(*calc))
            result->m_running = result->m_current = Scale(*result, calc->Evaluate());
    }
}

void CdocCalcs::KeepPrevious()
{
    if (!m_doc)
        return;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* field = fields.GetAt(i);
        field->m_runningPrevious = field->m_running;
    }
}
