#include "protocol/xutBoxInfo.h"

#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwMivaDriver.h"

#include <cmath>

CxutBoxInfo::CxutBoxInfo() = default;

void CxutBoxInfo::Clear()
{
    m_hardware = 0;
    m_firmware = 0.0f;
    m_maxSensors = 3;
    m_model.clear();
    m_varnok = false;
    m_compatible = false;
    m_loggerBusy = false;
    m_comIsPortSlow = false;
    m_comIsPortUsb = false;
    m_mivaOldShort = false;
    m_mivaNewShort = false;
    m_mivaOption = 0;
    m_commonVersion = -1;
}

void CxutBoxInfo::ClearBootstrap()
{
    m_bootstrapFlag = false;
    m_bootstrapFamily = 0;
    m_bootstrapRevision = 0;
    m_model.clear();
}

bool CxutBoxInfo::IsDifferent(const CxutBoxInfo& other) const
{
    // A firmware that is not a number never equals anything.
    const bool firmwareDiffers = std::isnan(m_firmware) || std::isnan(other.m_firmware)
                                 || m_firmware != other.m_firmware;
    return m_hardware != other.m_hardware || firmwareDiffers || m_maxSensors != other.m_maxSensors
           || m_model != other.m_model || m_varnok != other.m_varnok || m_compatible != other.m_compatible
           || m_bootstrapFlag != other.m_bootstrapFlag || m_bootstrapFamily != other.m_bootstrapFamily
           || m_bootstrapRevision != other.m_bootstrapRevision || m_loggerBusy != other.m_loggerBusy
           || m_comIsPortSlow != other.m_comIsPortSlow || m_comIsPortUsb != other.m_comIsPortUsb;
}

void CxutBoxInfo::Assign(const CxutBoxInfo& other)
{
    const bool changed = m_changed || IsDifferent(other);
    *this = other;
    m_changed = changed;
}

double CxutBoxInfo::GetTimeResolution() const
{
    switch (m_hardware) {
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_KESTILON_BOOT:
        return m_comIsPortUsb && xhwFirmwareHundredths(m_firmware) > 102 ? 0.001 : 0.01;
    case BOX_TYPE_TUNDRANE2:
    case BOX_TYPE_TUNDRANE2_BOOT:
        return 0.001;
    case BOX_TYPE_MIVA:
        return 0.01;
    default:
        return 0.05;
    }
}

int32_t xutGetMaxSensors(int32_t boxType)
{
    switch (boxType) {
    case BOX_TYPE_LUMIVASTA:
    case BOX_TYPE_MIVA:
        return 6;
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_TUNDRANE2:
    case BOX_TYPE_TUNDRANE2_BOOT:
    case BOX_TYPE_SIMULATED:
        return 4;
    default:
        return 3;
    }
}

bool xutHasFeature(int feature, const CxutBoxInfo& info)
{
    if (info.m_hardware == 0)
        return false;
    if (info.m_hardware == BOX_TYPE_MIVA)
        return xhwMivaHasFeature(feature, info);
    return xhwIsFirmwareAtLeast(info.m_firmware, xhwGetFeatureVersion(info.m_hardware, feature));
}
