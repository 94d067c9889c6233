#pragma once
#include "data/docFieldKey.h"
#include "data/docRoot.h"

#include <cstdint>
#include <wx/string.h>

class CdocField;

// How the channel scales were last set.
enum
{
    SCALE_DEFAULT = 0,
    SCALE_AUTO = 1,
    SCALE_DEFAULT_RESTORED = 2,
    SCALE_ZOOMED = 3,
};

// How the experiment's graph is drawn: the axis channels, the style switches
// and the zoom state, with the rules that choose the axes and set every
// channel's displayed scale (its Now range). It draws nothing itself.
class CdocGraph : public CdocRoot
{
public:
    CdocGraph();
    ~CdocGraph() override;
    CdocGraph(const CdocGraph&) = delete;
    CdocGraph& operator=(const CdocGraph&) = delete;

    // The axis channels, looked up again by key; null when gone.
    CdocField* GetFieldX();
    CdocField* GetFieldL();
    CdocField* GetFieldR();

    // Stores the three axis channels (each may be none); on a change the tool
    // is checked, best lines refitted when shown, and HINT_AXES posted.
    void SetAxes(CdocField* x, CdocField* left, CdocField* right);
    // No channel on x asks for the time-and-date axis: the elapsed-time
    // channel shown as time of day, where the user level allows it.
    void SetFieldX(CdocField* field);
    void SetFieldL(CdocField* field);
    void SetFieldR(CdocField* field);
    // The axis rules: a new or newly filled document, a run that starts
    // afresh (the user's usable choices stay), a run that continues on held
    // data (only gaps are filled).
    void ChooseDefaultAxes();
    void ChooseRunAxes();
    void CompleteAxes();

    // What the renderer draws: the stored switches, gated by the user level.
    bool GetLines() const;
    bool GetPoints() const;
    bool GetBars() const;
    bool GetGrid() const;
    bool GetHeavy() const;
    bool GetBest() const;
    void ToggleBest();

    // Scales. Each answers whether any channel's Now or Def range changed.
    bool DefaultZoom();
    bool AutoZoom();
    // Fractions 0..1 of the plot, each pair low, high.
    bool ApplyZoomTo(float xLow, float xHigh, float yLow, float yHigh);
    bool StepAutoZoom();
    // Keeps every scale at least a display step wide, widens y scales to
    // their zoom span and gives shown channels of one unit one scale. Posts
    // nothing; the callers do.
    bool ShareScales();
    bool MergeUnitRanges();
    // The same with HINT_SCALES and the document modified on a change.
    void DoDefaultZoom();
    void DoAutoZoom();
    void ZoomTo(float xLow, float xHigh, float yLow, float yHigh);
    void ToggleZoom();
    // After new samples (the newest index, or -1): true when a scale or an
    // axis range changed and the graph must be drawn again whole.
    bool AdjustScalesForSample(int index);

    // The font as its description text; empty: the application's default
    // drawing font. The views make the font from it.
    wxString m_font;
    CdocFieldKey m_axisX;
    CdocFieldKey m_axisL;
    CdocFieldKey m_axisR;
    bool m_lines = true;
    bool m_points = false;
    bool m_bars = false;
    bool m_heavy;
    bool m_title = true;
    bool m_grid = true;
    bool m_best = false;
    int64_t m_scaleZoomed = SCALE_DEFAULT;

private:
    CdocField* Lookup(CdocFieldKey& key);
    // The first channel of a content kind, or null.
    CdocField* FirstOf(int content) const;
    bool HasElapsedTime() const;
    // Ranges checked, zoom spans widened and unit scales merged.
    bool CheckScales();
    // Tool checked, best lines refitted when shown, HINT_AXES.
    void AfterAxesChanged();
    void PostScales(bool changed);
};
