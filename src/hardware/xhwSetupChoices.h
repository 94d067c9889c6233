#pragma once
#include <memory>
#include <wx/string.h>

class CxhwSensor;
class CxutBoxInfo;
class CxhwSenCalibChoiceV;

// The calibration choices of one sensor as the logging set-up uses them: the
// trigger sensor's list, kept with the set-up, and the sensor's searches for
// a calibration that suits a run.
class CxhwSetupChoices
{
public:
    static constexpr int kMaxChoices = 20;

    struct Choice
    {
        int m_index = 0;
        int m_ident = 0;
        int m_code = 0;
        wxString m_label;
    };

    CxhwSetupChoices() = default;
    CxhwSetupChoices(const CxhwSetupChoices&) = default;
    CxhwSetupChoices& operator=(const CxhwSetupChoices&) = default;
    virtual ~CxhwSetupChoices() = default;

    // Fills the list for the sensor; the entry to use, -1 for none.
    int FindCalibChoice(const CxhwSensor& sensor, const CxutBoxInfo& logger, bool fallBack, bool scope);
    int GetCount() const { return m_count; }
    // Entry i; an empty choice outside the list.
    const Choice& GetAt(int i) const;
    bool IsSelected(const CxhwSensor& sensor, int i) const;

    static bool GetCalibChoice(Choice& choice, const CxhwSensor& sensor, const CxutBoxInfo& logger,
                               bool fallBack, bool scope);
    static bool SuitsRate(const CxhwSensor& sensor, const CxutBoxInfo& logger, bool fast);
    static bool GetRateCalibChoice(Choice& choice, const CxhwSensor& sensor, const CxutBoxInfo& logger,
                                   bool fallBack, bool fast);

private:
    int m_count = 0;
    Choice m_choices[kMaxChoices];
    // The list the entries came from, for IsSelected.
    std::shared_ptr<CxhwSenCalibChoiceV> m_list;
};
