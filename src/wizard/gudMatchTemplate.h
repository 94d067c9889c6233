#pragma once
#include <wx/string.h>

class CdocData;
class CdocDoc;
class CxhwSenCalibChoice;
class CxhwSensor;
class CxutBoxPublicInfo;

// Pairing the stored sensor channels of a template or data file (the
// recorded logger description) with the sensors now connected. The pairing
// lives in the document's m_matchInput, m_matchSocket, m_storedPresent,
// m_connectedPresent and m_matchKept.

// Pairs, asks the user through the document's owner unless everything
// matched, applies, and runs the start routine with start code 1, which
// leaves the document stopped with its sensor channels rebuilt. False when
// the user declined: nothing applied or started.
bool gudMatchTemplate(CdocDoc& doc);
// The same before a continued, an overlaid or a replacing start (start codes
// 2, 3 and 4); 1 when the user declined, else 0.
int gudMatchAndStart(CdocDoc& doc);
int gudMatchAndStartOverlay(CdocDoc& doc);
int gudMatchAndStartReplace(CdocDoc& doc);
// By start code (START_CODE_START, _OVERLAID, _REPLACING).
int gudMatchAndStartByCode(CdocDoc& doc, int code);

// The connected description refreshed, the pairing reset and the three
// passes run; the match dialog calls it on every change.
void gudMatchRefresh(CdocDoc& doc);
void gudMatchResetMaps(CdocDoc& doc);
void gudMatchPass(CdocDoc& doc, bool compare, bool label, bool range);
// Whether the connected input fits the recorded socket; the choice that fits
// is handed out.
bool gudCompareSensor(CxhwSenCalibChoice& choice, const CxutBoxPublicInfo& connected, int input,
                      const CxutBoxPublicInfo& recorded, int socket, bool label, bool range);
// Every stored sensor on its own input with its calibration, and no other
// sensor on an input of a type the file did not have there.
bool gudMatchAllMatched(const CdocDoc& doc);
// Every stored sensor paired, anywhere, and keeping its calibration.
bool gudMatchAllKept(const CdocDoc& doc);
void gudApplySensorEnables(CdocDoc& doc);
void gudApplyCalibrations(CdocDoc& doc);
void gudRemapOutputRules(CdocDoc& doc);

// Rebuilds the sensor channels from the pairing: channels of unpaired
// sockets are removed, the others read their definition from their paired
// input's record. Done once per pairing start; always true.
bool gudRefreshSensorChannels(CdocData& data, const CxhwSensor* sensors, int count);

// The name a sensor record is known by: a smart sensor's own name, else the
// database name of its default calibration; empty when there is none.
wxString gudPairingLabel(const CxutBoxPublicInfo& info, int input);
// The stored side of a match-table row: name and icon name.
bool gudStoredSensorText(const CxutBoxPublicInfo& recorded, int socket, wxString& name, wxString& icon);
// The connected side: the input label with a tick when the pairing keeps the
// stored calibration, else the connected calibration's name, units and input.
bool gudConnectedSensorText(const CxutBoxPublicInfo& connected, int input, bool kept, wxString& text,
                            wxString& icon);
