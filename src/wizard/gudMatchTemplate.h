#pragma once

class CdocDoc;

// Pairs the stored sensor channels of a template or data file with the
// sensors now connected and runs the document's start routine; whether it
// went on.
bool gudMatchTemplate(CdocDoc& doc);
