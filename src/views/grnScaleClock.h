#pragma once
#include "data/xhwMinMax.h"

#include <array>
#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

class CdocFieldHdr;
class CgrnDC;

// The time-of-day x axis: labels the elapsed-time range with local clock
// times and dates counted from the moment the data were started. Steps are
// round durations from 1 second to years; days, weeks, months and years step
// by the calendar, hours by setting the local hour, so that ticks stay on
// whole local hours and midnights across daylight-saving changes. Layout
// keeps the tick positions from which the axis, its grid and its room are
// drawn and measured. Horizontal only; drawing uses the caller's pen, font
// and text colour.
class CgrnScaleClock
{
public:
    static constexpr int MAX_MAJORS = 20;
    static constexpr int MAX_MINORS = 240;

    CgrnScaleClock() = default;
    virtual ~CgrnScaleClock() {}

    // From the elapsed-time channel's Def (useDefault) or Now range and its
    // document's start moment. False without a channel, without a document
    // or a start moment, for a channel whose offset is not 0, or for a range
    // that gives no span of time.
    bool Set(const CdocFieldHdr* channel, bool useDefault, int side, int large);
    // Turns the range into seconds from the channel's gain.
    void ToSeconds(float gain);
    // First and last moments and their texts; false when first is not
    // before last.
    bool UpdateRange();
    // Chooses the step for the length and stores the ticks that fall on the
    // axis starting at x; false when no step fits.
    bool Layout(CgrnDC& dc, int x, int length);

    int GetAxisHeight(CgrnDC& dc) const;
    int GetAxisWidth(CgrnDC& dc) const;
    // From the last layout.
    bool DrawAxis(CgrnDC& dc, int x, int y, int length) const;
    void DrawGrid(CgrnDC& dc, int y1, int y2) const;

    // The date at local midnight, else the time of day.
    wxString FormatLabel(const wxDateTime& moment) const;
    int GetPosition(const wxDateTime& moment, int x, int length) const;

    bool ChooseStep(CgrnDC& dc, int length);
    wxDateTime NextTick(const wxDateTime& moment) const;
    wxDateTime NextMinor(const wxDateTime& moment) const;
    void GetFirstTick();

    int m_side = 0;
    int m_large = 0;
    // Seconds after the start moment, the maximum first.
    CxhwMinMax m_range{10.0f, 0.0f};
    wxDateTime m_start;
    wxDateTime m_first;
    wxDateTime m_last;
    wxDateTime m_firstTick;
    // Seconds in the unit of the step: 1, 60, 3600, 86400, 604800, 2678400
    // (a 31-day month) or 31622400 (a 366-day year).
    float m_unit = 0.0f;
    int m_minorCount = 0;
    int64_t m_step = 0;
    wxDateSpan m_majorSpan;
    bool m_majorIsSpan = false;
    int64_t m_minorStep = 0;
    wxDateSpan m_minorSpan;
    bool m_minorIsSpan = false;
    int m_sampleWidth = 0;
    int m_majorCount = 0;
    std::array<wxDateTime, MAX_MAJORS> m_majorMoments;
    std::array<int, MAX_MAJORS> m_majorPositions{};
    int m_minorTickCount = 0;
    std::array<int, MAX_MINORS> m_minorPositions{};
    wxString m_firstText;
    wxString m_lastText;
    wxString m_unitName;

private:
    double GetOffset(const wxDateTime& moment) const;
    wxDateTime Advance(const wxDateTime& moment, bool isSpan, const wxDateSpan& span, int64_t step,
                       bool hourRule, bool wrapToMidnight) const;
};
