#pragma once
#include <cstdint>
#include <wx/string.h>

// The identity of a connected logger as its protocol reports it. Plain record,
// copied by value; data files keep it in their "BoxInfo" section.
class CxutBoxInfo
{
public:
    CxutBoxInfo();

    void Clear();
    void ClearBootstrap();
    bool IsDifferent(const CxutBoxInfo& other) const;
    // Copies the other identity; m_changed gathers differences until cleared.
    void Assign(const CxutBoxInfo& other);
    double GetTimeResolution() const;

    int32_t m_hardware = 0;
    float m_firmware = 0.0f;
    int32_t m_maxSensors = 3;
    wxString m_model;
    bool m_varnok = false;
    bool m_compatible = false;
    bool m_bootstrapFlag = false;
    int32_t m_bootstrapFamily = 0;
    int32_t m_bootstrapRevision = 0;
    bool m_loggerBusy = false;
    bool m_changed = true;
    bool m_comIsPortSlow = false;
    bool m_comIsPortUsb = false;
    // Set only by the box type 7 driver: which kinds of device make up the
    // logger (the packet device is its option flag) and their common version
    // in hundredths (-1 absent or differing). Copied, never compared or stored.
    bool m_mivaOldShort = false;
    bool m_mivaNewShort = false;
    uint8_t m_mivaOption = 0;
    int32_t m_commonVersion = -1;
};

// Number of sensor inputs of a box type.
int32_t xutGetMaxSensors(int32_t boxType);

// Whether the identified logger has feature n by its firmware version.
bool xutHasFeature(int feature, const CxutBoxInfo& info);
