#include "data/docDocLinks.h"

CdocDocLinks& docGetDocLinks()
{
    static CdocDocLinks links;
    return links;
}

bool docShareScales(CdocDoc* doc)
{
    const CdocDocLinks& links = docGetDocLinks();
    return doc && links.m_shareScales && links.m_shareScales(*doc);
}

void docRemoveOrphanAnnotations(CdocDoc* doc)
{
    const CdocDocLinks& links = docGetDocLinks();
    if (doc && links.m_removeOrphanAnnotations)
        links.m_removeOrphanAnnotations(*doc);
}

bool docCanShowTimeAndDate(CdocDoc* doc)
{
    const CdocDocLinks& links = docGetDocLinks();
    return doc && links.m_canShowTimeAndDate && links.m_canShowTimeAndDate(*doc);
}

bool docCanShowTableTimeAndDate(CdocDoc* doc)
{
    const CdocDocLinks& links = docGetDocLinks();
    return doc && links.m_canShowTableTimeAndDate && links.m_canShowTableTimeAndDate(*doc);
}
