#pragma once

class CdocDoc;

// Pairs the stored sensor channels of a template or data file with the
// sensors now connected and runs the document's start routine; whether it
// went on.
bool gudMatchTemplate(CdocDoc& doc);

// Pair the stored sensor channels with the connected sensors and, when the
// user accepts, start by the start code 2, 3 or 4: a continued, an overlaid
// or a replacing run. 0 when started, 1 when declined.
int gudMatchAndStart(CdocDoc& doc);
int gudMatchAndStartOverlay(CdocDoc& doc);
int gudMatchAndStartReplace(CdocDoc& doc);
