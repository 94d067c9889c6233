#include "wizard/gudMatchTemplate.h"

#include "document/docDoc.h"

// Still thin: the pairing comes with the set-up wizard and the match dialog.
bool gudMatchTemplate(CdocDoc& doc)
{
    return true;
}

// Still thin: every stored channel is taken as matching the logger's; the
// pairing comes with the match dialog.
int gudStartMatched(CdocDoc& doc, int code)
{
    doc.m_matchCode = code;
    int result = 0;
    switch (code) {
    case START_CODE_START: result = doc.StartContinue(); break;
    case START_CODE_OVERLAID: result = doc.StartOverlaid(); break;
    default: result = doc.StartReplacing(); break;
    }
    doc.m_matchCode = START_CODE_NONE;
    return result;
}
