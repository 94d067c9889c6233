#pragma once
#include "data/docFieldKey.h"
#include "data/docRoot.h"

#include <cstdint>
#include <wx/string.h>

// How the channel scales were last set.
enum
{
    SCALE_DEFAULT = 0,
    SCALE_AUTO = 1,
    SCALE_DEFAULT_RESTORED = 2,
    SCALE_ZOOMED = 3,
};

// How the experiment's graph is drawn: the axis channels, the style switches
// and the zoom state. Still thin: the axis rules, the style getters and the
// zoom operations are to come.
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
    // The axis rules: a new or newly filled document, a run that starts
    // afresh (the user's usable choices stay), a run that continues on held
    // data (only gaps are filled).
    void ChooseDefaultAxes();
    void ChooseRunAxes();
    void CompleteAxes();

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
};
