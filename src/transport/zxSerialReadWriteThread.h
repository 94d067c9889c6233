#pragma once
#include "transport/zxByteFIFO.h"
#include "transport/zxThread.h"

// Moves bytes between an open terminal and its port's buffers: queued bytes
// first, in chunks of at most 256, then whatever the device has to give.
// Bytes the device does not take at once stay queued for the next step.
class CzxSerialReadWriteThread : public CzxThread
{
public:
    static constexpr uint32_t kChunk = 256;

    CzxSerialReadWriteThread(int fd, CzxByteFIFO& tx, CzxByteFIFO& rx);
    ~CzxSerialReadWriteThread() override;

    bool Step() override;

    // One pass of the step, without the wait for the device when idle; true
    // when it moved any byte. The thread and the tests call it.
    bool Transfer();

private:
    bool Send();
    bool Receive();

    const int m_fd;
    CzxByteFIFO& m_tx;
    CzxByteFIFO& m_rx;
};
