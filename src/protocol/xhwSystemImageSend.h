#pragma once
#include <cstdint>

class CxhwBox;

// The installers of the loggers that take their system software over the
// byte command link (box types 4, 5, 6, 8 and 9). Each returns whether the
// image was installed; the outcome is the descriptor's result.
bool xhwInstallSystemBox4(CxhwBox& box);
bool xutUpdateFirmwareBox5(CxhwBox& box);
bool xutUpdateFirmwareBox6(CxhwBox& box);
bool xutUpdateFirmwareBox8(CxhwBox& box);
bool xutUpdateFirmwareBox9(CxhwBox& box);

// Words 4 to count - 1 in 2-byte steps, each echoed as the XOR of its bytes.
bool xutSendFirmwareWords(CxhwBox& box, const int32_t* words, int count, int pad);
// N words from word 8192 in 6-byte steps, each echoed as the XOR of its bytes.
bool xutSendFirmwareTriples(CxhwBox& box, const int32_t* words, int n);
// The type-4 file in 7-byte chunks.
bool xhwSendSystemBox4(CxhwBox& box, const uint8_t* bytes, int size);
// Releases a logger from its bootstrap loader; false when it was not in it.
bool xutExitBootstrap(CxhwBox& box);
