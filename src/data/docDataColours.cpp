// Channel colours. Still thin: the colour schemes of the document come with
// the document; until then a channel keeps the null colour, which the views
// draw as black.
#include "data/docData.h"

void CdocData::AssignColours() {}

void docSetDefaultColour(CdocFieldHdr& field)
{
    field.m_colour = CdocColour();
}
