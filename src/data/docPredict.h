#pragma once
#include "data/docFieldKey.h"
#include "data/docRoot.h"

// Points of a prediction curve, pen-up marks included.
constexpr int DOC_MAX_PREDICT_POINTS = 20001;

// A prediction curve drawn over the graph: a polyline in the units of the two
// channels it belongs to. A pair of no values lifts the pen.
class CdocPredict : public CdocRoot
{
public:
    CdocPredict();
    ~CdocPredict() override;
    CdocPredict(const CdocPredict&) = delete;
    CdocPredict& operator=(const CdocPredict&) = delete;

    void Reset();
    void ClearPoints();
    bool AddPoint(float x, float y);
    bool StartStroke(float x, float y);
    // A point given as fractions of the graph's visible ranges.
    void AddGraphPoint(bool newStroke, float fx, float fy);

    void StartDrawing();
    void StopDrawing();
    void Clear();
    // Menu states of the three commands above.
    void GetStartDrawingState(bool* enabled, bool* ticked) const;
    void GetStopDrawingState(bool* enabled, bool* ticked) const;
    void GetClearState(bool* enabled, bool* ticked) const;

    int m_count = 0;
    float m_x[DOC_MAX_PREDICT_POINTS];
    float m_y[DOC_MAX_PREDICT_POINTS];
    CdocFieldKey m_fieldX;
    CdocFieldKey m_fieldY;
    bool m_drawing = false;

private:
    void ModifyAndUpdateViews(int hint);
};
