#include "views/grnMeter.h"

#include "app/gumApp.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "views/grnGraphPixels.h"
#include "views/grnScale.h"

#include <algorithm>
#include <wx/dc.h>
#include <wx/intl.h>

namespace {

// The logger description holds six sensor records.
constexpr int MAX_INPUT_BOXES = 6;

// Button gradients: upper half top and bottom, lower half top and bottom.
const unsigned char BUTTON_GREYS[2][4] = {{255, 216, 208, 232}, {240, 208, 192, 208}};

wxColour Grey(unsigned char level)
{
    return wxColour(level, level, level);
}

wxSize IconSize(const wxIcon* icon)
{
    return icon && icon->IsOk() ? wxSize(icon->GetWidth(), icon->GetHeight()) : wxSize(0, 0);
}

bool IsExtraContent(int content)
{
    return content == CONTENT_MANUAL || content == CONTENT_FORMULA;
}

// A sensor channel whose own sensor record holds no sensor shows only its bar.
bool IsBareSensor(const CdocField& channel)
{
    return channel.m_content == CONTENT_SENSOR && channel.m_fieldSensor.IsEmpty();
}

bool Contains(const wxRect& r, int x, int y)
{
    return r.width > 0 && r.height > 0 && x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

} // namespace

const wxIcon* grnGetSensorIcon(const CxhwSensor* sensor)
{
    if (!sensor || !wxTheApp)
        return nullptr;
    const wxIcon& icon = wxGetApp().m_res.GetSensorIcon(sensor->m_calib.m_icon);
    return icon.IsOk() ? &icon : nullptr;
}

CgrnMeter::CgrnMeter() = default;

CgrnMeter::~CgrnMeter() = default;

void CgrnMeter::SetDoc(CdocDoc* doc)
{
    m_doc = doc;
    m_layoutValid = false;
}

void CgrnMeter::InitFonts(bool force)
{
    if (!force && m_fontsInitialised)
        return;
    wxFont* fonts[] = {&m_captionFont, &m_valueFont, &m_statusFont};
    for (wxFont* font : fonts) {
        grnUseDefaultFont(*font);
        font->SetWeight(wxFONTWEIGHT_BOLD);
    }
    const int points = m_captionFont.GetPointSize();
    m_valueFont.SetPointSize(3 * points);
    m_statusFont.SetPointSize(3 * points);
    m_fontsInitialised = true;
}

bool CgrnMeter::Begin(wxDC& dc, const wxRect& rect)
{
    m_dc.SetDC(&dc);
    InitFonts(false);
    m_dc.SetFont(nullptr);
    if (rect != m_rect) {
        m_rect = rect;
        m_layoutValid = false;
    }
    return ComputeLayout();
}

void CgrnMeter::End()
{
    m_dc.SetDC(nullptr);
}

void CgrnMeter::Layout(wxDC& dc, const wxRect& rect)
{
    Begin(dc, rect);
    End();
}

bool CgrnMeter::Draw(wxDC& dc, const wxRect& rect)
{
    const bool laidOut = Begin(dc, rect);
    if (laidOut)
        DrawContents();
    End();
    return laidOut;
}

void CgrnMeter::SelectFont(const wxFont& font)
{
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&font);
}

bool CgrnMeter::IsBoxedChannel(const CdocField* channel)
{
    if (!channel)
        return false;
    if (IsExtraContent(channel->m_content))
        return true;
    return channel->m_content == CONTENT_SENSOR && !channel->m_fieldSensor.IsEmpty() && channel->m_fieldEnable;
}

CdocField* CgrnMeter::GetExtraChannel(int n, CdocFieldKey* key) const
{
    if (!m_doc)
        return nullptr;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* channel = fields.GetAt(i);
        if (!channel || !IsExtraContent(channel->m_content))
            continue;
        if (n-- == 0) {
            if (key)
                *key = CdocFieldKey(channel->m_key, -1, channel);
            return channel;
        }
    }
    return nullptr;
}

bool CgrnMeter::ChannelsActive() const
{
    const CxutBoxPublicInfo& box = m_doc->m_boxInfo;
    return box.m_install.m_stage == 0 && !box.m_info.m_bootstrapFlag && !box.m_info.m_loggerBusy;
}

int CgrnMeter::GetPowerIcon(int power)
{
    if (power < 0 || power > 102)
        return -1;
    if (power >= 101)
        return 8;
    if (power == 100)
        return 7;
    return power * 8 / 100;
}

wxString CgrnMeter::GetStampText(const wxString& stamp)
{
    wxString first = stamp.Left(16);
    wxString second = stamp.Mid(16);
    first.Trim(true).Trim(false);
    second.Trim(true).Trim(false);
    return first + " " + second;
}

wxString CgrnMeter::GetWidestCaption()
{
    wxString widest = "Temperature";
    int width = 0;
    SelectFont(m_captionFont);
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* channel = fields.GetAt(i);
        if (!IsBoxedChannel(channel))
            continue;
        for (const wxString* text : {&channel->m_name, &channel->m_unit}) {
            const int w = m_dc.GetTextExtent(*text).x;
            if (w > width) {
                width = w;
                widest = *text;
            }
        }
    }
    return widest;
}

wxString CgrnMeter::GetWidestValue()
{
    wxString widest = "000000";
    int width = 0;
    SelectFont(m_valueFont);
    auto measure = [&](const wxString& text) {
        const int w = m_dc.GetTextExtent(text).x;
        if (w > width) {
            width = w;
            widest = text;
        }
    };
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* channel = fields.GetAt(i);
        if (!IsBoxedChannel(channel))
            continue;
        if (channel->m_cal.IsMaxSet())
            measure(channel->GetOverText(-1));
        if (channel->m_cal.IsMinSet())
            measure(channel->GetUnderText(-1));
        measure(channel->GetValueText(-1, channel->m_def.m_max));
        measure(channel->GetValueText(-1, channel->m_def.m_min));
    }
    return widest;
}

bool CgrnMeter::ComputeLayout()
{
    if (!m_doc) {
        m_layoutValid = false;
        return false;
    }
    if (m_layoutValid)
        return true;
    wxDC& dc = *m_dc.GetDC();
    const CxutBoxPublicInfo& box = m_doc->m_boxInfo;

    const wxSize ppi = m_dc.GetPPI();
    m_marginX = ppi.x / 8;
    m_marginY = ppi.y / 8;
    m_ix = m_rect.x + m_marginX;
    m_iy = m_rect.y + m_marginY;
    m_iw = m_rect.width - 2 * m_marginX;
    m_ih = m_rect.height - 2 * m_marginY;

    const CdocFieldV& fields = m_doc->m_data.m_fields;
    m_extraBoxes = 0;
    for (int i = 0; i < fields.GetCount(); ++i) {
        if (const CdocField* channel = fields.GetAt(i); channel && IsExtraContent(channel->m_content))
            ++m_extraBoxes;
    }
    // A count from the logger is held to the six records it can describe.
    m_inputBoxes = std::clamp(int(box.m_info.m_maxSensors), 0, MAX_INPUT_BOXES);
    if (m_inputBoxes == 0)
        m_inputBoxes = 1;
    m_boxWidth = m_iw / (m_inputBoxes + m_extraBoxes);
    m_sensorCount = 0;
    for (int i = 0; i < m_inputBoxes; ++i)
        m_sensorCount += box.m_sensors[i].m_idCode != 0 ? 1 : 0;

    m_pictureWidth = 32;
    m_pictureHeight = 32;
    if (wxTheApp) {
        CxutBoxInfo sizing;
        sizing.m_hardware = BOX_TYPE_LUMIVASTA;
        const wxIcon& picture = wxGetApp().m_res.GetLoggerIcon(sizing);
        if (picture.IsOk()) {
            m_pictureWidth = picture.GetWidth();
            m_pictureHeight = picture.GetHeight();
        }
    }

    InitFonts(true);
    const wxString caption = GetWidestCaption();
    m_dc.FitFont(m_captionFont, m_boxWidth, std::max(m_ih / 15, 1), caption, true);
    SelectFont(m_captionFont);
    m_captionHeight = dc.GetCharHeight();
    m_gap = std::max(m_captionHeight / 2, 1);
    m_quarterGap = std::max(m_captionHeight / 4, 1);

    m_headerRow1 = std::max(m_gap + 2 * m_captionHeight, m_pictureHeight);
    m_headerRow2 = m_pictureHeight + 2 * m_gap;
    m_channelArea = m_ih - m_headerRow1 - m_headerRow2;

    const wxString value = GetWidestValue();
    m_dc.FitFont(m_valueFont, m_boxWidth, std::max((m_channelArea - 4 * m_captionHeight) / 4, 1), value, false);
    SelectFont(m_valueFont);
    m_valueHeight = dc.GetCharHeight();

    m_headerRight = m_ix + m_inputBoxes * m_boxWidth;
    m_channelTop = m_iy + m_headerRow1 + m_headerRow2;
    m_nameX = m_ix + 2 * m_gap + m_pictureWidth;
    m_headerLine1 = m_iy + m_gap;
    m_headerLine2 = m_iy + m_gap + m_captionHeight;
    m_pictureX = m_ix + m_gap;
    m_pictureY = m_iy + m_gap;
    m_powerRight = m_headerRight - m_gap;
    m_powerY = m_iy + m_gap;
    m_scaleRight = m_ix + m_boxWidth / 2 - m_gap / 2;
    m_barLeft = m_scaleRight + m_gap;
    m_barWidth = m_boxWidth < 18 ? 3 : m_boxWidth / 6;
    m_buttonBottom = m_channelTop - m_gap;
    m_scaleTop = m_channelTop + m_captionHeight;
    m_unitsLine = m_iy + m_ih - m_captionHeight;
    m_valueLine = m_unitsLine - m_gap - m_valueHeight;
    m_nameLine = m_valueLine - 2 * m_gap;
    m_scaleBottom = m_nameLine - m_captionHeight;

    m_dc.FitFont(m_statusFont, m_headerRight - m_ix, m_pictureHeight, _("Test text for new activity font size"),
                 false);
    m_dc.FitFont(m_statusFont, m_headerRight - m_ix - m_gap, m_pictureHeight,
                 _("Please plug in a logger and/or a sensor"), true);

    SelectFont(m_captionFont);
    m_labelWidth = 0;
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* channel = fields.GetAt(i);
        if (!IsBoxedChannel(channel))
            continue;
        CgrnScale scale;
        scale.Set(channel, true, 0, 0);
        m_labelWidth = std::max(m_labelWidth, scale.GetAxisWidth(m_dc, m_scaleBottom - m_scaleTop));
    }
    m_layoutValid = true;
    return true;
}

void CgrnMeter::DrawStatusText(const wxFont& font, const wxString& text, int x, int y)
{
    SelectFont(font);
    m_dc.GetDC()->SetTextForeground(*wxBLACK);
    m_dc.GetDC()->DrawText(text, x, y);
}

void CgrnMeter::DrawContents()
{
    const CxutBoxPublicInfo& box = m_doc->m_boxInfo;
    if (m_doc->m_waitingForFind) {
        DrawStatusText(m_statusFont, _("Please wait..."), m_ix + m_gap, m_headerLine1);
        return;
    }
    if (box.m_info.m_hardware == BOX_TYPE_NONE) {
        DrawStatusText(m_statusFont, _("No logger or sensors found"), m_ix + m_gap, m_headerLine1);
        DrawStatusText(m_statusFont, _("Please plug in a logger and/or a sensor"), m_ix + m_gap,
                       m_headerLine1 + m_dc.GetDC()->GetCharHeight());
        return;
    }
    DrawHeader();
    if (box.m_install.m_stage != 0) {
        wxString text;
        switch (box.m_install.m_stage) {
        case 1:
            text = _("Reading system, please wait");
            break;
        case 3:
            text = _("Installing system, please wait");
            break;
        default:
            text = _("Loading system, please wait");
            break;
        }
        DrawStatusText(m_statusFont, text, m_ix + m_gap, m_scaleTop);
        DrawProgress();
    } else if (box.m_info.m_bootstrapFlag) {
        DrawStatusText(m_statusFont, _("Logger is in bootstrap mode"), m_ix, m_scaleTop);
    } else if (box.m_info.m_loggerBusy) {
        DrawStatusText(m_captionFont, _("Logger is busy"), m_ix, m_scaleTop);
    } else {
        DrawBoxes();
        if (m_sensorCount == 0)
            DrawNoSensors();
    }
}

void CgrnMeter::DrawProgress()
{
    wxDC& dc = *m_dc.GetDC();
    const float progress = m_doc->m_boxInfo.m_install.m_progress;
    const int height = (3 * m_pictureHeight) / 4;
    const int width = int(progress * float(m_headerRight - m_ix - 2 * m_gap));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(255, 0, 0)));
    if (width > 0)
        dc.DrawRectangle(m_ix + m_gap, m_buttonBottom - height, width, height);
    dc.SetPen(wxNullPen);
    dc.SetBrush(wxNullBrush);
}

void CgrnMeter::DrawNoSensors()
{
    wxDC& dc = *m_dc.GetDC();
    const wxString text = _("No sensors connected");
    SelectFont(m_statusFont);
    const wxSize extent = m_dc.GetTextExtent(text);
    const int tx = m_ix + (m_headerRight - m_ix - extent.x) / 2;
    const int ty = (m_buttonBottom - m_pictureHeight) + (m_pictureHeight - extent.y) / 2;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(255, 0, 0)));
    dc.DrawRectangle(tx - m_quarterGap, ty - m_quarterGap, extent.x + 2 * m_quarterGap, extent.y + 2 * m_quarterGap);
    dc.SetPen(wxNullPen);
    dc.SetBrush(wxNullBrush);
    dc.SetTextForeground(*wxBLACK);
    dc.DrawText(text, tx, ty);
}

void CgrnMeter::DrawHeader()
{
    wxDC& dc = *m_dc.GetDC();
    const CxutBoxPublicInfo& box = m_doc->m_boxInfo;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(213, 255, 255)));
    dc.DrawRectangle(m_ix, m_iy, m_headerRight - m_ix + 1, m_channelTop - m_iy + 1);
    dc.SetPen(wxNullPen);
    dc.SetBrush(wxNullBrush);

    SelectFont(m_captionFont);
    dc.SetTextForeground(*wxBLACK);
    wxString name;
    xhwGetBoxName(name, 2, box.m_info);
    dc.DrawText(name, m_nameX, m_headerLine1);
    dc.DrawText(GetStampText(box.m_boxStamp), m_nameX, m_headerLine2);

    if (!wxTheApp)
        return;
    const CgumRes& res = wxGetApp().m_res;
    const wxIcon& picture = res.GetLoggerIcon(box.m_info);
    if (picture.IsOk())
        dc.DrawIcon(picture, m_pictureX, m_pictureY);
    const wxIcon* power = res.GetStateIcon(GetPowerIcon(box.m_boxPower));
    if (power && power->IsOk())
        dc.DrawIcon(*power, m_powerRight - power->GetWidth(), m_powerY);
}

void CgrnMeter::DrawBoxes()
{
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    const CxutBoxPublicInfo& box = m_doc->m_boxInfo;
    for (int pass = 0; pass < 2; ++pass) {
        for (int n = 0; n < m_extraBoxes; ++n) {
            CdocField* channel = GetExtraChannel(n, nullptr);
            if (!channel)
                break;
            const int i = m_inputBoxes + n;
            if (pass == 0) {
                DrawBar(i, *channel);
                DrawScale(i, *channel);
                DrawCaptions(i, *channel);
                DrawButton(i, *channel, nullptr);
            } else {
                DrawValue(i, *channel);
            }
        }
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < m_inputBoxes; ++i) {
            CdocFieldKey key;
            if (!fields.FindSensor(key, i))
                continue;
            CdocField* channel = fields.Find(key);
            if (!channel)
                continue;
            if (pass == 0) {
                DrawBar(i, *channel);
                if (!IsBareSensor(*channel)) {
                    DrawScale(i, *channel);
                    DrawCaptions(i, *channel);
                    DrawButton(i, *channel, &box.m_sensors[i]);
                }
            } else if (!IsBareSensor(*channel) && channel->m_fieldEnable) {
                DrawValue(i, *channel);
            }
        }
    }
}

void CgrnMeter::DrawBar(int i, CdocField& channel)
{
    wxDC& dc = *m_dc.GetDC();
    float f = 0.05f;
    if (!IsBareSensor(channel) && channel.m_fieldEnable) {
        wxString text;
        const float value = channel.GetCurrentText(text);
        f = (value - channel.m_def.m_min) / (channel.m_def.m_max - channel.m_def.m_min);
    }
    const int x = m_barLeft + i * m_boxWidth;
    const int hb = m_scaleBottom - m_scaleTop + 1;
    dc.SetPen(*wxTRANSPARENT_PEN);
    if (f >= 1.0f) {
        dc.SetBrush(wxBrush(grnChannelColour(channel)));
        dc.DrawRectangle(x, m_scaleTop, m_barWidth, hb);
    } else if (!(f > 0.0f)) {
        // An empty Def range gives no number: the bar stays empty.
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(x, m_scaleTop, m_barWidth, hb);
    } else {
        const int g = int(f * float(hb));
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(x, m_scaleTop, m_barWidth, hb - g);
        dc.SetBrush(wxBrush(grnChannelColour(channel)));
        dc.DrawRectangle(x, m_scaleTop + hb - g, m_barWidth, g);
    }
    dc.SetPen(*wxMEDIUM_GREY_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(x, m_scaleTop, m_barWidth, hb);
}

void CgrnMeter::DrawScale(int i, CdocField& channel)
{
    if (!channel.m_fieldEnable)
        return;
    wxDC& dc = *m_dc.GetDC();
    SelectFont(m_captionFont);
    CgrnScale scale;
    scale.Set(&channel, true, 0, 0);
    const wxColour colour = grnChannelColour(channel);
    dc.SetPen(wxPen(colour, 1, wxPENSTYLE_SOLID));
    dc.SetTextForeground(colour);
    scale.DrawAxisY(m_dc, m_scaleRight + i * m_boxWidth, m_scaleTop, m_scaleBottom - m_scaleTop);
}

void CgrnMeter::DrawCaptions(int i, CdocField& channel)
{
    wxDC& dc = *m_dc.GetDC();
    SelectFont(m_captionFont);
    const int left = m_ix + i * m_boxWidth;
    auto centred = [&](const wxString& text, int y) {
        dc.DrawText(text, left + (m_boxWidth - m_dc.GetTextExtent(text).x) / 2, y);
    };
    if (channel.m_fieldEnable) {
        dc.SetTextForeground(grnChannelColour(channel));
        centred(channel.m_name, m_nameLine);
        centred(channel.m_unit, m_unitsLine);
    } else {
        dc.SetTextForeground(*wxBLACK);
        centred(_("Disabled"), m_nameLine);
    }
}

wxRect CgrnMeter::GetButtonRect(int i, int sw, int sh, int aw, int ah) const
{
    const int w = sw + (2 * aw) / 3 + 6;
    const int h = 6 + std::max(sh, ah);
    const int x = m_barLeft + i * m_boxWidth + m_barWidth / 2 - w / 2;
    const int y = m_buttonBottom - (h - 6) - 3;
    return wxRect(x, y, w, h);
}

void CgrnMeter::DrawButton(int i, CdocField& channel, const CxhwSensor* sensor)
{
    wxDC& dc = *m_dc.GetDC();
    const wxIcon* arrow = wxTheApp ? &wxGetApp().m_res.m_dropDownIcon : nullptr;
    const wxIcon* icon = grnGetSensorIcon(sensor);
    const wxSize a = IconSize(arrow);
    const wxSize s = IconSize(icon);
    const wxRect b = GetButtonRect(i, s.x, s.y, a.x, a.y);
    const bool pressed = !m_pressedKey.IsEmpty() && m_pressedKey.m_key == channel.m_key;
    const unsigned char* greys = BUTTON_GREYS[pressed ? 1 : 0];
    const int upper = (b.height - 1) / 2;
    dc.GradientFillLinear(wxRect(b.x + 1, b.y + 1, b.width - 2, upper), Grey(greys[0]), Grey(greys[1]), wxSOUTH);
    dc.GradientFillLinear(wxRect(b.x + 1, b.y + upper, b.width - 2, (b.height - 1) - upper), Grey(greys[2]),
                          Grey(greys[3]), wxSOUTH);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    if (pressed) {
        dc.SetPen(*wxBLACK_PEN);
        dc.DrawRoundedRectangle(b.x, b.y, b.width, b.height, 3);
        dc.SetPen(*wxLIGHT_GREY_PEN);
        dc.DrawRoundedRectangle(b.x + 1, b.y + 1, b.width - 2, b.height - 2, 2);
    } else {
        dc.SetPen(*wxMEDIUM_GREY_PEN);
        dc.DrawRoundedRectangle(b.x, b.y, b.width, b.height, 3);
    }
    if (s.x != 0 && a.x != 0) {
        dc.SetPen(*wxMEDIUM_GREY_PEN);
        const int x = b.x + 3 + s.x + 1;
        dc.DrawLine(x, m_buttonBottom - a.y + 1, x, m_buttonBottom - 1);
    }
    if (icon)
        dc.DrawIcon(*icon, b.x + 3, m_buttonBottom - s.y);
    if (arrow && arrow->IsOk())
        dc.DrawIcon(*arrow, b.x + 3 + s.x, m_buttonBottom - a.y);
}

void CgrnMeter::DrawValue(int i, CdocField& channel)
{
    wxDC& dc = *m_dc.GetDC();
    SelectFont(m_valueFont);
    dc.SetTextForeground(grnChannelColour(channel));
    wxString text;
    const float value = channel.GetCurrentText(text);
    text = channel.GetDisplayText(-1, value);
    const int left = m_ix + i * m_boxWidth;
    dc.DrawText(text, left + (m_boxWidth - m_dc.GetTextExtent(text).x) / 2, m_valueLine);
}

void CgrnMeter::HitTest(CgrnMeterHit& hit)
{
    hit.m_area = METER_HIT_NONE;
    if (!m_doc || !m_layoutValid)
        return;
    const CxutBoxPublicInfo& box = m_doc->m_boxInfo;
    if (m_doc->m_waitingForFind || box.m_info.m_hardware == BOX_TYPE_NONE)
        return;
    const int px = hit.m_x;
    const int py = hit.m_y;
    const bool active = ChannelsActive();

    const wxIcon* arrow = wxTheApp ? &wxGetApp().m_res.m_dropDownIcon : nullptr;
    const wxSize a = IconSize(arrow);
    if (wxTheApp) {
        const CgumRes& res = wxGetApp().m_res;
        const wxSize power = IconSize(res.GetStateIcon(0));
        if (Contains(wxRect(m_powerRight - power.x, m_powerY, power.x, power.y), px, py)) {
            hit.m_area = METER_HIT_POWER;
            return;
        }
        const wxSize picture = IconSize(&res.GetLoggerIcon(box.m_info));
        if (Contains(wxRect(m_ix, m_iy, picture.x, picture.y), px, py)) {
            hit.m_area = METER_HIT_LOGGER;
            return;
        }
    }
    if (!active)
        return;

    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < m_inputBoxes + m_extraBoxes; ++i) {
        CdocFieldKey key;
        wxRect sensorRect;
        wxRect arrowRect;
        if (i < m_inputBoxes) {
            if (!fields.FindSensor(key, i))
                continue;
            const wxSize s = IconSize(grnGetSensorIcon(&box.m_sensors[i]));
            const wxRect b = GetButtonRect(i, s.x, s.y, a.x, a.y);
            sensorRect = wxRect(b.x, m_buttonBottom - s.y, s.x == 0 ? 0 : s.x + 3, s.y);
            arrowRect = wxRect(b.x + s.x + 3, m_buttonBottom - a.y, (2 * a.x) / 3 + 3, a.y);
        } else {
            GetExtraChannel(i - m_inputBoxes, &key);
            const wxRect b = GetButtonRect(i, 0, 0, a.x, a.y);
            arrowRect = wxRect(b.x + 3, m_buttonBottom - a.y, (2 * a.x) / 3 + 3, a.y);
        }
        const int shift = i * m_boxWidth;
        const int scaleRight = m_scaleRight + shift;
        const struct
        {
            wxRect rect;
            int area;
        } parts[] = {
            {sensorRect, METER_HIT_SENSOR},
            {arrowRect, METER_HIT_ARROW},
            {wxRect(scaleRight - m_labelWidth, m_scaleTop, m_labelWidth + m_gap, m_scaleBottom - m_scaleTop),
             METER_HIT_SCALE},
            {wxRect(m_barLeft + shift, m_scaleTop, m_barWidth, m_scaleBottom - m_scaleTop), METER_HIT_BAR},
            {wxRect(m_ix + shift, m_nameLine, m_boxWidth, m_iy + m_ih - m_nameLine), METER_HIT_CAPTION},
            {wxRect(scaleRight - m_labelWidth, m_buttonBottom - 1, m_labelWidth + m_barWidth,
                    m_scaleTop - m_buttonBottom + 1),
             METER_HIT_ABOVE},
        };
        for (const auto& part : parts) {
            if (Contains(part.rect, px, py)) {
                hit.m_area = part.area;
                hit.m_key = key;
                return;
            }
        }
    }
}
