#pragma once
#include "data/dataTestSupport.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qvtest {

// Samples given as doubles; NAN stands for a missing sample.
inline float ToSample(double v)
{
    return std::isnan(v) ? DOC_NO_VALUE : float(v);
}

// A document for the channel operations: channels are made from sample
// lists.
class OpsTest : public DataTest
{
protected:
    CdocField& AddChannel(int content, const std::vector<double>& samples, const wxString& name = "A",
                          const wxString& unit = "m")
    {
        CdocField& field = At(Fields().Add(1));
        if (content == CONTENT_MANUAL)
            field.InitManual();
        else if (content == CONTENT_FORMULA)
            field.InitFormula();
        else {
            field.InitEmpty();
            field.m_content = content;
        }
        field.m_name = name;
        field.m_unit = unit;
        for (size_t i = 0; i < samples.size(); ++i)
            field.SetSample(int(i), ToSample(samples[i]));
        Data().m_records = std::max(Data().m_records, int(samples.size()));
        return field;
    }
    CdocField& AddManual(const std::vector<double>& samples, const wxString& name = "A", const wxString& unit = "m")
    {
        return AddChannel(CONTENT_MANUAL, samples, name, unit);
    }
    // An elapsed-time channel in seconds holding the given times.
    CdocField& AddTime(const std::vector<double>& times)
    {
        return AddChannel(CONTENT_ELAPSED_TIME, times, "Time", "s");
    }

    static CdocFieldKey KeyOf(const CdocField& field) { return CdocFieldKey(field.m_key, -1, nullptr); }
    CdocField* Resolve(CdocFieldKey key) { return Fields().Find(key); }
};

// Within a few float roundings of a double-precision reference.
inline ::testing::AssertionResult FloatClose(float actual, double reference, double relative = 2e-5)
{
    const double tolerance = relative * std::max(1.0, std::fabs(reference));
    if (std::isfinite(actual) && std::fabs(double(actual) - reference) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not within " << tolerance << " of " << reference;
}

} // namespace qvtest
