#pragma once
#include "data/docCalc.h"

#include <memory>
#include <vector>

class CdocField;

// Formulas in use per document.
constexpr int DOC_MAX_CALCS = 20;

// The document's formula set: at most 20 formulas in use, at the front of the
// array, evaluated in list order; the objects behind them stay allocated for
// reuse. A formula writes only into its result channel, and only when that is
// a formula channel of the document.
class CdocCalcs : public CdocRoot
{
public:
    CdocCalcs() = default;
    ~CdocCalcs() override;
    CdocCalcs(const CdocCalcs&) = delete;
    CdocCalcs& operator=(const CdocCalcs&) = delete;

    bool Reserve(int n);
    CdocCalc* CreateCalc();
    bool CreateMore(int n);
    int Add(int n);
    int IndexOf(const CdocCalc* calc) const;
    void RemoveAt(int index);
    void Move(int from, int to);
    void Clear() { m_count = 0; }
    void DeleteAll();
    // The formula in use at an index; null outside 0..m_count-1.
    CdocCalc* GetAt(int index) const;
    // The first formula in use whose result is that channel.
    CdocCalc* FindByChannel(const CdocField* field) const;

    // Order and dependencies.
    void RenumberOrder();
    void SortByDependency();
    bool MustFollow(CdocCalc* a, CdocCalc* b);
    bool UsesFieldRecursive(CdocCalc* calc, const CdocField* field);
    bool UsesField(CdocCalc* calc, const CdocField* field);
    bool UsesKey(CdocCalc* calc, CdocFieldKey key);
    bool IsFieldUsed(const CdocField* field);
    bool UsesSourceField(CdocCalc* calc);

    // Calculation.
    void MarkSourceFormulas();
    void RecalculateAll();
    bool RecalculateIfUses(const CdocField* field);
    bool RecalculateChannel(const CdocField* field);
    void StartRun();
    void CalculateLatest();
    void KeepPrevious();

    int m_count = 0;

private:
    void ClearMarks();
    // The formula's result channel when it is a formula channel in use.
    CdocField* GetResult(CdocCalc& calc) const;
    // A formula's value for its result channel: no value, or scaled and finite.
    static float Scale(const CdocField& result, float value);

    std::vector<std::unique_ptr<CdocCalc>> m_calcs;
};
