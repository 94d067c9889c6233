#pragma once

class CdocDoc;

// Pairs the stored sensor channels of a template or data file with the
// sensors now connected and runs the document's start routine; whether it
// went on.
bool gudMatchTemplate(CdocDoc& doc);

// Starts by the start code 2, 3 or 4 (a continued, an overlaid or a replacing
// run) with the stored sensor channels taken as paired; 0 when started.
int gudStartMatched(CdocDoc& doc, int code);
