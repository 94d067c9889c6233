#include "protocol/xutPktCombo.h"

#include "hardware/xhwSenFile.h"
#include "hardware/xhwSenCalib.h"
#include "hardware/xhwSensor.h"
#include "protocol/xutPktDeviceSource.h"
#include "transport/zxTime.h"

#include <algorithm>
#include <cmath>
#include <wx/utils.h>

namespace {

const std::vector<int> kListOne = {5, 6, 7, 1, 2, 4, 3};
const std::vector<int> kListTwo = {1, 2, 4, 5, 6, 3, 7};
const std::vector<int> kListThree = {1, 2, 3};

// Palette entries of families 0..8 by shade.
const int kFamilyEntries[9][4] = {
    {0, 0, 0, 0},     {32, 35, 33, 34}, {36, 39, 37, 38}, {48, 51, 49, 50}, {40, 43, 41, 42},
    {52, 55, 53, 54}, {56, 59, 57, 58}, {44, 47, 45, 46}, {6, 6, 6, 6},
};

} // namespace

CxutPktCombo::CxutPktCombo()
{
    std::fill(std::begin(m_channelPort), std::end(m_channelPort), -1);
    std::fill(std::begin(m_channelSlot), std::end(m_channelSlot), -1);
    std::fill(std::begin(m_channelFamily), std::end(m_channelFamily), 0);
    std::fill(std::begin(m_channelHeld), std::end(m_channelHeld), -1);
    std::fill(std::begin(m_portFamily), std::end(m_portFamily), -1);
    CxhwSenFile* database = xhwGetSenFile();
    SetDefinitions(database ? &database->GetSmartDefs() : nullptr);
}

CxutPktCombo::~CxutPktCombo() = default;

void CxutPktCombo::SetDefinitions(CxutSmartSenDefs* definitions)
{
    for (int i = 0; i < kPorts; ++i)
        m_ports[i].Attach(this, i, definitions);
}

int64_t CxutPktCombo::GetRunClockMs() const
{
    return zxWatchTime(m_runClock ? *m_runClock : m_ownClock);
}

int CxutPktCombo::ToMs(float seconds)
{
    return int(std::floor(seconds * 1000.0f + 0.5f));
}

void CxutPktCombo::ResetPorts(std::vector<std::unique_ptr<CxutPktDevice>> devices)
{
    std::fill(std::begin(m_channelPort), std::end(m_channelPort), -1);
    std::fill(std::begin(m_channelSlot), std::end(m_channelSlot), -1);
    std::fill(std::begin(m_channelFamily), std::end(m_channelFamily), 0);
    std::fill(std::begin(m_channelHeld), std::end(m_channelHeld), -1);
    std::fill(std::begin(m_portFamily), std::end(m_portFamily), -1);
    for (CxutPktPort& port : m_ports)
        port.SetDevice(nullptr);
    int i = 0;
    for (auto& device : devices) {
        if (!device || (!device->IsPacket() && !device->IsShortReport()))
            continue;
        if (i == kPorts)
            break;
        m_ports[i++].SetDevice(std::move(device));
    }
}

void CxutPktCombo::ResetPortsFromSource()
{
    ResetPorts(m_source ? m_source->Scan({}) : std::vector<std::unique_ptr<CxutPktDevice>>());
}

void CxutPktCombo::CloseAll() { ClosePorts(); }

bool CxutPktCombo::OpenPorts()
{
    bool any = false;
    for (CxutPktPort& port : m_ports) {
        if (!port.HasDevice())
            continue;
        any = true;
        if (!port.Open()) {
            CloseAll();
            return false;
        }
    }
    return any && WaitNotBusy(0.5f);
}

bool CxutPktCombo::EnsureOpen()
{
    if (IsAnyPortOpen() || OpenPorts())
        return WaitNotBusy(0.5f);
    return false;
}

void CxutPktCombo::ClosePorts()
{
    for (CxutPktPort& port : m_ports)
        if (port.HasDevice())
            port.Close();
}

void CxutPktCombo::ReleasePorts()
{
    for (CxutPktPort& port : m_ports)
        port.Release();
}

bool CxutPktCombo::IsAnyPortOpen()
{
    for (CxutPktPort& port : m_ports)
        if (port.IsReady())
            return true;
    return false;
}

bool CxutPktCombo::IsAnyPortBusy()
{
    for (CxutPktPort& port : m_ports)
        if (port.IsReady() && port.GetState() != 0)
            return true;
    return false;
}

bool CxutPktCombo::WaitNotBusy(float seconds)
{
    const int ms = ToMs(seconds);
    CzxStopWatch watch;
    while (IsAnyPortBusy()) {
        if (watch.Time() >= ms)
            return false;
        wxMilliSleep(1);
    }
    return true;
}

void CxutPktCombo::SyncDataCounters()
{
    for (CxutPktPort& port : m_ports)
        port.m_rememberedCounter = port.GetDataCounter();
}

bool CxutPktCombo::WaitForData(float seconds)
{
    const int ms = ToMs(seconds);
    CzxStopWatch watch;
    for (;;) {
        for (CxutPktPort& port : m_ports)
            if (port.GetDataCounter() != port.m_rememberedCounter) {
                SyncDataCounters();
                return true;
            }
        if (watch.Time() >= ms)
            return false;
        wxMilliSleep(1);
    }
}

bool CxutPktCombo::SendSettings(bool force)
{
    bool ok = true;
    for (CxutPktPort& port : m_ports)
        if (port.HasDevice() && !port.SendSettings(force))
            ok = false;
    return ok;
}

bool CxutPktCombo::AllInMode(int mode)
{
    bool any = false;
    for (CxutPktPort& port : m_ports) {
        if (!port.IsReady())
            continue;
        any = true;
        if (!port.IsInMode(mode))
            return false;
    }
    return any;
}

bool CxutPktCombo::WaitForAcks(int mode, float seconds)
{
    struct Seen
    {
        bool seen = false;
        uint32_t counter = 0;
    } seen[kPorts];
    const int ms = ToMs(seconds);
    CzxStopWatch watch;
    for (;;) {
        int confirmed = 0, pending = 0;
        for (int i = 0; i < kPorts; ++i) {
            CxutPktPort& port = m_ports[i];
            if (!port.IsReady())
                continue;
            const uint32_t counter = port.GetDataCounter();
            if (!port.IsInMode(mode)) {
                ++pending;
            } else if (!seen[i].seen) {
                seen[i].seen = true;
                seen[i].counter = counter;
                ++pending;
            } else if (port.IsShortReport() && counter == seen[i].counter) {
                // A short report seen once may be stale: wait for another.
                ++pending;
            } else {
                ++confirmed;
            }
        }
        if (confirmed > 0 && pending == 0)
            return true;
        if (watch.Time() >= ms)
            return false;
        wxMilliSleep(1);
    }
}

bool CxutPktCombo::SetMode(int mode, bool force, float seconds)
{
    m_mode = mode;
    for (int attempt = 0; attempt < 3; ++attempt) {
        SendSettings(force);
        WaitForAcks(mode, seconds);
        if (AllInMode(mode))
            return true;
    }
    return false;
}

int CxutPktCombo::GetChannelCount() const
{
    for (int c = kChannels - 1; c >= 0; --c)
        if (m_channelPort[c] >= 0 && m_ports[m_channelPort[c]].HasDevice())
            return c + 1;
    return 0;
}

int CxutPktCombo::GetLowestRelease() const
{
    int lowest = 0;
    for (const CxutPktPort& port : m_ports)
        if (port.HasDevice() && (lowest == 0 || port.GetReleaseNumber() < lowest))
            lowest = port.GetReleaseNumber();
    return lowest;
}

bool CxutPktCombo::HasOldShortReportPort() const
{
    for (const CxutPktPort& port : m_ports)
        if (port.IsShortReport() && port.GetReleaseNumber() < 110)
            return true;
    return false;
}

bool CxutPktCombo::HasNewShortReportPort() const
{
    for (const CxutPktPort& port : m_ports)
        if (port.IsShortReport() && port.GetReleaseNumber() >= 110)
            return true;
    return false;
}

bool CxutPktCombo::HasPacketPort() const
{
    for (const CxutPktPort& port : m_ports)
        if (port.IsPacket())
            return true;
    return false;
}

int CxutPktCombo::GetCommonVersion() const
{
    int common = -1;
    bool first = true;
    for (const CxutPktPort& port : m_ports) {
        if (!port.HasDevice())
            continue;
        const int version = port.IsPacket() && port.HasCompleteDefinition()
                                ? port.GetDefinitionByte(21)
                                : port.GetReleaseNumber();
        if (first)
            common = version;
        else if (version != common)
            return -1;
        first = false;
    }
    return common;
}

bool CxutPktCombo::SetChannelMask(int mask, bool force)
{
    m_channelMask = mask & 0x3F;
    int portMask[kPorts] = {};
    for (int c = 0; c < kChannels; ++c)
        if ((m_channelMask >> c & 1) && m_channelPort[c] >= 0)
            portMask[m_channelPort[c]] |= 1 << m_channelSlot[c];
    bool ok = true;
    for (int i = 0; i < kPorts; ++i)
        if (m_ports[i].HasDevice() && !m_ports[i].SetChannelMask(portMask[i], force))
            ok = false;
    return ok;
}

void CxutPktCombo::ApplySensorSettings(const CxhwSensorV& records)
{
    for (int c = 0; c < kChannels; ++c)
        if (m_channelPort[c] >= 0)
            m_ports[m_channelPort[c]].ApplySensor(m_channelSlot[c], records[c]);
}

void CxutPktCombo::CheckSensorSettling(CxhwSensorV& records, const int* raw)
{
    for (int c = 0; c < kChannels; ++c)
        if (m_channelPort[c] >= 0)
            m_ports[m_channelPort[c]].CheckSettling(m_channelSlot[c], records[c],
                                                    raw ? raw + c : nullptr);
}

bool CxutPktCombo::ScanDevices()
{
    // A device that was open and is gone now was unplugged.
    for (CxutPktPort& port : m_ports) {
        CxutPktDevice* device = port.GetDevice();
        if (device && device->IsOpen() && !device->IsReady()) {
            port.Release();
            port.SetDevice(nullptr);
        }
    }
    if (m_source) {
        std::vector<wxString> known;
        for (CxutPktPort& port : m_ports)
            if (port.HasDevice())
                known.push_back(port.GetDevice()->GetPath());
        for (auto& device : m_source->Scan(known)) {
            if (!device || (!device->IsPacket() && !device->IsShortReport()))
                continue;
            CxutPktPort* free = nullptr;
            for (CxutPktPort& port : m_ports)
                if (!port.HasDevice()) {
                    free = &port;
                    break;
                }
            if (!free)
                break;
            free->SetDevice(std::move(device));
            if (!free->Open()) {
                free->Close();
                free->SetDevice(nullptr);
            }
        }
    }
    for (CxutPktPort& port : m_ports)
        if (port.HasDevice() && !port.IsReady() && !port.Open()) {
            port.Close();
            port.SetDevice(nullptr);
        }
    bool any = false;
    for (CxutPktPort& port : m_ports)
        any = any || port.HasDevice();
    if (!any)
        return false;
    if (!WaitNotBusy(0.5f)) {
        CloseAll();
        return false;
    }
    if (!SetMode(0, false, 0.1f) && !WaitForAcks(0, 0.5f)) {
        CloseAll();
        return false;
    }
    return true;
}

void CxutPktCombo::ReassignChannels()
{
    int slots[kPorts] = {};
    for (int p = 0; p < kPorts; ++p) {
        if (m_ports[p].HasDevice()) {
            CxhwSensor scratch[CxutPktPort::kSlots];
            slots[p] = m_ports[p].UpdateSensors(scratch);
        }
        for (int c = 0; c < kChannels; ++c)
            if (m_channelPort[c] == p && m_channelSlot[c] >= slots[p]) {
                m_channelPort[c] = -1;
                m_channelSlot[c] = -1;
            }
    }
    for (int p = 0; p < kPorts; ++p)
        for (int s = 0; s < slots[p]; ++s) {
            bool held = false;
            for (int c = 0; c < kChannels; ++c)
                held = held || (m_channelPort[c] == p && m_channelSlot[c] == s);
            if (held)
                continue;
            for (int c = 0; c < kChannels; ++c)
                if (m_channelPort[c] < 0) {
                    m_channelPort[c] = p;
                    m_channelSlot[c] = s;
                    break;
                }
        }
}

bool CxutPktCombo::UpdateSensors(CxhwSensorV& records)
{
    const bool ok = ScanDevices();
    ReassignChannels();
    for (int c = 0; c < kChannels; ++c) {
        CxhwSensor& record = records[c];
        if (m_channelPort[c] >= 0) {
            m_ports[m_channelPort[c]].UpdateSensor(m_channelSlot[c], record);
            continue;
        }
        if (record.m_idCode != 0 || record.m_idType != 0)
            record.m_changedId = true;
        record.m_idCode = 0;
        record.m_idType = 0;
        if (record.m_enable)
            record.m_changedEnable = true;
        record.m_enable = false;
        record.UseDefaultCalibration();
    }
    AssignFamilies();
    return ok;
}

int CxutPktCombo::LeastUsed(const std::vector<int>& list) const
{
    int best = list.front(), bestCount = -1;
    for (int family : list) {
        int count = 0;
        for (int c = 0; c < kChannels; ++c)
            if (m_channelPort[c] >= 0 && m_channelHeld[c] != -1 &&
                (m_channelFamily[c] == family || m_channelHeld[c] == family))
                ++count;
        if (bestCount < 0 || count < bestCount) {
            best = family;
            bestCount = count;
        }
    }
    return best;
}

void CxutPktCombo::AssignFamilies()
{
    for (int c = 0; c < kChannels; ++c)
        if (m_channelPort[c] < 0 && m_channelHeld[c] != -1) {
            m_channelHeld[c] = -1;
            m_channelFamily[c] = 0;
        }
    for (int p = 0; p < kPorts; ++p) {
        bool feeds = false;
        for (int c = 0; c < kChannels; ++c)
            feeds = feeds || m_channelPort[c] == p;
        if (!feeds)
            m_portFamily[p] = -1;
    }
    for (int c = 0; c < kChannels; ++c) {
        const int p = m_channelPort[c];
        if (p < 0 || m_channelHeld[c] != -1)
            continue;
        CxutPktPort& port = m_ports[p];
        int family = 8;
        if (port.IsShortReport()) {
            if (m_portFamily[p] == -1)
                m_portFamily[p] = LeastUsed(port.GetReleaseNumber() < 110 ? kListThree : kListTwo);
            family = m_portFamily[p];
        } else {
            const int selector = port.HasCompleteDefinition() ? port.GetDefinitionByte(26) : 0;
            if (m_portFamily[p] == -1) {
                switch (selector) {
                case 0:
                case 3: m_portFamily[p] = LeastUsed(kListOne); break;
                case 1: m_portFamily[p] = LeastUsed(kListTwo); break;
                case 2: m_portFamily[p] = LeastUsed(kListThree); break;
                default: m_portFamily[p] = 8; break;
                }
            }
            switch (port.GetSlotKind(m_channelSlot[c])) {
            case 0:
            case 3: family = LeastUsed(kListOne); break;
            case 1: family = m_portFamily[p]; break;
            case 2: family = 3; break;
            case 4: family = LeastUsed(kListTwo); break;
            case 5: family = LeastUsed(kListThree); break;
            case 6: family = 1; break;
            case 7: family = 2; break;
            case 8: family = 4; break;
            default: family = 8; break;
            }
            if (selector == 3)
                m_portFamily[p] = 9;
        }
        m_channelFamily[c] = family;
        m_channelHeld[c] = family;
    }
    for (int c = 0; c < kChannels; ++c) {
        const int p = m_channelPort[c];
        if (p < 0)
            continue;
        if (m_portFamily[p] != -1)
            m_ports[p].SetSlotValue(-1, m_portFamily[p]);
        if (m_channelHeld[c] != -1)
            m_ports[p].SetSlotValue(m_channelSlot[c], m_channelHeld[c]);
    }
}

int CxutPktCombo::GetChannelTableEntry(int channel, int shade) const
{
    const int family = m_channelFamily[((channel % kChannels) + kChannels) % kChannels];
    if (family < 0 || family > 8)
        return 0;
    return kFamilyEntries[family][((shade % 4) + 4) % 4];
}

int CxutPktCombo::SetSensorCalibration(int channel, CxhwSensor& record, float gain, float offset)
{
    if (channel < 0 || channel >= kChannels || m_channelPort[channel] < 0)
        return 2;
    return m_ports[m_channelPort[channel]].SetCalibration(m_channelSlot[channel], record, gain,
                                                          offset);
}

bool CxutPktCombo::StartStream(const CxhwSensorV& records)
{
    for (CxutPktPort& port : m_ports)
        port.GetQueue().Clear();
    m_runFlag = 1;
    ApplySensorSettings(records);
    if (!SetMode(1, true, 0.1f))
        return false;
    ApplySensorSettings(records);
    if (!SendSettings(false))
        return false;
    SyncDataCounters();
    wxMilliSleep(100);
    bool ok = true;
    for (CxutPktPort& port : m_ports)
        if (port.HasDevice() && !port.StartClock())
            ok = false;
    return ok;
}

bool CxutPktCombo::StopStream()
{
    for (CxutPktPort& port : m_ports)
        if (port.HasDevice())
            port.StopClock();
    m_runFlag = 0;
    const bool ok = SendSettings(false);
    SyncDataCounters();
    wxMilliSleep(100);
    return ok;
}

bool CxutPktCombo::ReadSamples(int* out, int& n, int64_t t, int64_t s, int max)
{
    n = std::clamp(max, 0, 20);
    const uint64_t from = uint64_t(zxWrapTime(t));
    bool any = false;
    for (CxutPktPort& port : m_ports) {
        if (!port.HasDevice())
            continue;
        any = true;
        n = std::min(n, int(std::min<uint32_t>(port.GetQueue().CountDue(from, s), 20)));
        if (n == 0)
            break;
    }
    if (!any)
        n = 0;
    CxutRawEntry entries[20];
    for (int p = 0; p < kPorts && n > 0; ++p) {
        if (!m_ports[p].HasDevice())
            continue;
        const int got = int(m_ports[p].GetQueue().ReadResampled(entries, uint32_t(n), from, s));
        for (int c = 0; c < kChannels; ++c)
            if (m_channelPort[c] == p)
                for (int i = 0; i < got; ++i)
                    out[6 * i + c] = entries[i].m_values[m_channelSlot[c]];
    }
    bool ok = true;
    for (CxutPktPort& port : m_ports)
        if (port.HasDevice() && !port.KeepAlive())
            ok = false;
    return ok;
}

bool CxutPktCombo::ReadLiveValues(int values[6])
{
    std::fill(values, values + kChannels, XHW_NO_READING);
    bool ok = true;
    for (int p = 0; p < kPorts; ++p) {
        if (!m_ports[p].HasDevice())
            continue;
        uint8_t bytes[16];
        if (!m_ports[p].ReadValues(bytes)) {
            ok = false;
            continue;
        }
        for (int c = 0; c < kChannels; ++c)
            if (m_channelPort[c] == p)
                values[c] = bytes[2 * m_channelSlot[c]] * 256 + bytes[2 * m_channelSlot[c] + 1];
    }
    return ok;
}

bool CxutPktCombo::ResendAndWait(float seconds)
{
    bool ok = true;
    for (CxutPktPort& port : m_ports)
        if (port.HasDevice() && !port.SendPendingAcks())
            ok = false;
    WaitForData(seconds);
    return ok;
}

bool CxutPktCombo::StartTimingEvents()
{
    m_runFlag = 1;
    m_mode = 2;
    for (CxutPktPort& port : m_ports)
        if (port.HasDevice())
            port.SendSettings(false);
    WaitForAcks(2, 0.1f);
    if (!AllInMode(2))
        return false;
    m_timingStartPending = true;
    return true;
}

bool CxutPktCombo::StopTimingEvents()
{
    m_runFlag = 0;
    return SetMode(1, false, 0.1f);
}

bool CxutPktCombo::ReadTimingEvent(int64_t& time, int& mask, bool& got)
{
    got = false;
    bool ok = true;
    uint8_t record[6];
    auto apply = [&](int p) {
        for (int c = 0; c < kChannels; ++c)
            if (m_channelPort[c] == p) {
                const int bit = record[4] >> m_channelSlot[c] & 1;
                m_inputState = (m_inputState & ~(1 << c)) | (bit << c);
            }
    };
    if (m_timingStartPending) {
        for (bool took = true; took;) {
            took = false;
            for (int p = 0; p < kPorts; ++p) {
                if (!m_ports[p].HasDevice())
                    continue;
                bool one = false;
                if (!m_ports[p].ReadTimingEvent(record, one))
                    ok = false;
                if (one) {
                    apply(p);
                    took = true;
                }
            }
        }
        m_intervalWatch.Start(0);
        m_timingStartPending = false;
        m_lastEventPort = -1;
        got = true;
        time = 1;
        mask = m_inputState;
        return ok;
    }
    for (int p = 0; p < kPorts; ++p) {
        if (!m_ports[p].HasDevice())
            continue;
        bool one = false;
        if (!m_ports[p].ReadTimingEvent(record, one)) {
            ok = false;
            continue;
        }
        if (!one)
            continue;
        apply(p);
        const int64_t deviceTime = int64_t(record[0]) | int64_t(record[1]) << 8 |
                                   int64_t(record[2]) << 16 | int64_t(record[3]) << 24;
        // A device times only the gap since its own previous event.
        if (p == m_lastEventPort && deviceTime != 0)
            time = deviceTime;
        else
            time = zxWatchTime(m_intervalWatch) * 1000;
        m_intervalWatch.Start(0);
        m_lastEventPort = p;
        got = true;
        mask = m_inputState;
        return ok;
    }
    mask = m_inputState;
    return ok;
}

bool CxutPktCombo::StartFastSampling(int channel, int count, int periodUs, int trigger)
{
    if (channel < 0 || channel >= kChannels || m_channelPort[channel] < 0)
        return false;
    return m_ports[m_channelPort[channel]].StartFastSampling(m_channelSlot[channel], count,
                                                             periodUs, trigger);
}

bool CxutPktCombo::StartScope(int channel, int count, int periodUs, int trigger)
{
    if (channel < 0 || channel >= kChannels || m_channelPort[channel] < 0)
        return false;
    return m_ports[m_channelPort[channel]].StartScope(m_channelSlot[channel], count, periodUs,
                                                      trigger);
}

bool CxutPktCombo::ReadFastSample(int channel, int values[6], bool& got)
{
    got = false;
    if (channel < 0 || channel >= kChannels || m_channelPort[channel] < 0)
        return false;
    const int p = m_channelPort[channel];
    int value = 0;
    if (!m_ports[p].ReadFastSample(value, got))
        return false;
    if (got)
        values[channel] = value;
    return true;
}

bool CxutPktCombo::ReadScope(int channel, int* values, int& n, int max)
{
    n = 0;
    if (channel < 0 || channel >= kChannels || m_channelPort[channel] < 0)
        return false;
    return m_ports[m_channelPort[channel]].ReadScope(values, n, max);
}
