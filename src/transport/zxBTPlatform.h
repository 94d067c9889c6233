#pragma once
#include "transport/zxByteFIFO.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

// A Bluetooth device address, most significant byte first as it is written.
struct CzxBTAddress
{
    uint8_t m_bytes[6] = {0, 0, 0, 0, 0, 0};

    bool operator==(const CzxBTAddress& other) const
    {
        for (int i = 0; i < 6; ++i)
            if (m_bytes[i] != other.m_bytes[i])
                return false;
        return true;
    }
    bool operator!=(const CzxBTAddress& other) const { return !(*this == other); }
};

// The system side of one RFCOMM link to a logger's serial-port service.
// Every operation but the flags, the address and the receive buffer is made
// on the main thread; what the system reports (the channel opened, data, room
// to write) is taken in by DeliverEvents, also on the main thread.
class CzxBTPlatform
{
public:
    CzxBTPlatform();
    virtual ~CzxBTPlatform();
    CzxBTPlatform(const CzxBTPlatform&) = delete;
    CzxBTPlatform& operator=(const CzxBTPlatform&) = delete;

    // Starts opening the channel to the stored address; false when it cannot
    // start (no controller, no such device, no serial-port service).
    virtual bool CreateWithAddressAndOpen() = 0;
    // Closes the channel and lets go of the device.
    virtual void CloseAndRelease() = 0;
    // Hands bytes to the open channel; false when refused.
    virtual bool WriteChannel(const uint8_t* bytes, uint16_t n) = 0;
    // Takes in what the system has for the link, without waiting.
    virtual void DeliverEvents() = 0;

    void SetAddress(const CzxBTAddress& address);
    CzxBTAddress GetAddress() const;
    bool CheckAddress(const CzxBTAddress& address) const;

    bool IsChannelOpen() const { return m_channelOpen; }
    bool HasQueueSpace() const { return m_queueSpace; }
    bool HasRequestFailed() const { return m_requestFailed; }
    void SetRequestFailed(bool failed) { m_requestFailed = failed; }
    // A device is held from a started open until its release.
    bool HasDevice() const { return m_hasDevice; }

    CzxByteFIFO& GetRXFIFO() { return m_rx; }

protected:
    // What the system reports, turned into the link's flags and bytes.
    void OnOpenComplete(int status);
    void OnData(const uint8_t* bytes, uint32_t n);
    void OnQueueSpace() { m_queueSpace = true; }
    void SetHasDevice(bool has) { m_hasDevice = has; }
    // Channel open and queue space cleared; the address and the failed flag stay.
    void ClearChannelFlags();

private:
    mutable std::mutex m_addressLock;
    CzxBTAddress m_address;
    std::atomic<bool> m_channelOpen{false};
    std::atomic<bool> m_queueSpace{false};
    std::atomic<bool> m_requestFailed{false};
    std::atomic<bool> m_hasDevice{false};
    CzxByteFIFO m_rx;
};

using zxBTPlatformMaker = std::function<std::unique_ptr<CzxBTPlatform>()>;

// The system's RFCOMM link (BlueZ), or, once set, what the maker gives: the
// tests put a simulated device there. An empty maker restores the system's.
void zxSetBTPlatformMaker(zxBTPlatformMaker maker);
std::unique_ptr<CzxBTPlatform> zxMakeBTPlatform();
