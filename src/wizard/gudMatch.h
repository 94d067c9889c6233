#pragma once

class CdocData;
class CxhwSensor;

// Refreshes the six sensor-input channels of a store from a table of sensor
// records: a channel whose input lies beyond the table is removed, the others
// read their definition again from their input's record.
// Still thin: the pairing of stored and connected sensors comes with the
// template matching.
void gudRefreshSensorChannels(CdocData& data, const CxhwSensor* sensors, int count);
