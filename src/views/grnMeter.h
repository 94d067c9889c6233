#pragma once
#include "data/docFieldKey.h"
#include "views/grnDC.h"
#include "views/grnMeterHit.h"

#include <wx/font.h>
#include <wx/gdicmn.h>

class CdocDoc;
class CdocField;
class CxhwSensor;
class wxDC;

// Draws the connected logger at a glance: a header band with the logger's
// name, stamp, picture and power state, then one box per logger input and
// one per manual or formula channel, each with a scale, a level bar, a
// button and the channel's name, value and units. With no logger, or a
// logger that is busy, in bootstrap mode or installing its system, a status
// screen stands in place of the boxes. The layout is kept until the document
// or the rectangle changes; every paint reuses it.
class CgrnMeter
{
public:
    CgrnMeter();
    virtual ~CgrnMeter();
    CgrnMeter(const CgrnMeter&) = delete;
    CgrnMeter& operator=(const CgrnMeter&) = delete;

    // The document's data (none detaches); the layout is made again.
    void SetDoc(CdocDoc* doc);
    // Lays out for the rectangle without drawing.
    void Layout(wxDC& dc, const wxRect& rect);
    // Everything; false, with nothing drawn, without a document.
    bool Draw(wxDC& dc, const wxRect& rect);
    // The three fonts from the GUI font, bold; the value and status fonts
    // three times its size. Without force only the first time.
    void InitFonts(bool force);
    // The area and channel under the hit's point, on the current layout.
    void HitTest(CgrnMeterHit& hit);

    // The channels that get a box with a scale: manual, formula, and
    // connected sensors with a sensor record whose input is enabled.
    static bool IsBoxedChannel(const CdocField* channel);
    // The n-th manual or formula channel, in channel order, or none.
    CdocField* GetExtraChannel(int n, CdocFieldKey* key) const;
    // Whether the logger's boxes take the mouse: no installation, no
    // bootstrap mode, not busy.
    bool ChannelsActive() const;
    // The state icon number of a power level; -1 for none.
    static int GetPowerIcon(int power);
    // The stamp as the header shows it: its two 16-character halves
    // trimmed and joined by one space.
    static wxString GetStampText(const wxString& stamp);

    wxRect m_rect;
    CdocDoc* m_doc = nullptr;
    bool m_layoutValid = false;
    CgrnDC m_dc;
    bool m_fontsInitialised = false;
    wxFont m_captionFont;
    wxFont m_valueFont;
    wxFont m_statusFont;
    // The channel whose button is drawn pressed, set by the view that holds
    // the mouse for it; empty for none.
    CdocFieldKey m_pressedKey;

    // The layout, in pixels; horizontal positions are those of box 0.
    int m_marginX = 0;
    int m_marginY = 0;
    int m_ix = 0;
    int m_iy = 0;
    int m_iw = 0;
    int m_ih = 0;
    int m_extraBoxes = 0;
    int m_inputBoxes = 0;
    int m_boxWidth = 0;
    int m_sensorCount = 0;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    int m_captionHeight = 0;
    int m_gap = 0;
    int m_quarterGap = 0;
    int m_headerRow1 = 0;
    int m_headerRow2 = 0;
    int m_channelArea = 0;
    int m_valueHeight = 0;
    int m_headerRight = 0;
    int m_channelTop = 0;
    int m_nameX = 0;
    int m_headerLine1 = 0;
    int m_headerLine2 = 0;
    int m_pictureX = 0;
    int m_pictureY = 0;
    int m_powerRight = 0;
    int m_powerY = 0;
    int m_scaleRight = 0;
    int m_barLeft = 0;
    int m_barWidth = 0;
    int m_buttonBottom = 0;
    int m_scaleTop = 0;
    int m_unitsLine = 0;
    int m_valueLine = 0;
    int m_nameLine = 0;
    int m_scaleBottom = 0;
    int m_labelWidth = 0;

private:
    // Attaches the context (no font selected), sets up the fonts, takes the
    // rectangle and lays out when needed.
    bool Begin(wxDC& dc, const wxRect& rect);
    void End();
    bool ComputeLayout();
    // Selects none, then the font, so that the next measure uses it.
    void SelectFont(const wxFont& font);
    wxString GetWidestCaption();
    wxString GetWidestValue();

    void DrawContents();
    void DrawHeader();
    void DrawStatusText(const wxFont& font, const wxString& text, int x, int y);
    void DrawProgress();
    void DrawNoSensors();
    void DrawBoxes();
    void DrawBar(int i, CdocField& channel);
    void DrawScale(int i, CdocField& channel);
    void DrawCaptions(int i, CdocField& channel);
    void DrawButton(int i, CdocField& channel, const CxhwSensor* sensor);
    void DrawValue(int i, CdocField& channel);
    // The button's outline of box i for icons of the sizes.
    wxRect GetButtonRect(int i, int sw, int sh, int aw, int ah) const;
};

// The sensor icon of a sensor record's icon name, or none.
const wxIcon* grnGetSensorIcon(const CxhwSensor* sensor);
