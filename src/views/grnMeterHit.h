#pragma once
#include "data/docFieldKey.h"

// What lies under a point of the meter (and of the digits, which use the
// same record with areas of their own).
enum
{
    METER_HIT_NONE = 0,
    METER_HIT_POWER = 1,
    METER_HIT_LOGGER = 2,
    METER_HIT_SENSOR = 3,
    METER_HIT_SCALE = 4,
    METER_HIT_BAR = 5,
    METER_HIT_CAPTION = 6,
    METER_HIT_ARROW = 7,
    METER_HIT_ABOVE = 8,
};

// A mouse position classified by a renderer: the caller sets the point (the
// drawing window's pixels), the hit test the area and the channel's key.
struct CgrnMeterHit
{
    int m_x = 0;
    int m_y = 0;
    int m_area = METER_HIT_NONE;
    CdocFieldKey m_key;
};
