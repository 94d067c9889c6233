#pragma once
#include "files/docStateKeys.h"

class CdocField;
class CdocScope;
class CdocTable;
class CdocTiming;
class CdocToolState;
class CxhwSetup;

// The keys of the document parts' sections, shared by their writer and reader.
CdocStateKeys docFieldKeys(CdocField& field);
CdocStateKeys docTableKeys(CdocTable& table);
// The set-up's keys before the trigger calibration, or after it.
CdocStateKeys docSetupKeys(CxhwSetup& setup, bool before);
CdocStateKeys docScopeKeys(CdocScope& scope);
CdocStateKeys docTimingKeys(CdocTiming& timing, bool& singleSensor);
CdocStateKeys docToolKeys(CdocToolState& state);
