#pragma once
#include <functional>

class CdocDoc;

// SEAM, until the document's graph and annotation parts have these
// operations: sharing the channel scales (CdocGraph::ShareScales), dropping
// annotations of removed channels (CdocAnnotations::RemoveOrphans) and
// whether a time-and-date choice may be offered
// (CdocDoc::CanShowTimeAndDate, CdocDoc::CanShowTableTimeAndDate). The
// channel operations and picker lists call them through the functions below;
// with no hook installed a document answers as one with nothing to share, no
// annotations to drop and no time-and-date choices. When the operations
// exist, the functions call them and the hooks go.
struct CdocDocLinks
{
    std::function<bool(CdocDoc&)> m_shareScales;
    std::function<void(CdocDoc&)> m_removeOrphanAnnotations;
    std::function<bool(CdocDoc&)> m_canShowTimeAndDate;
    std::function<bool(CdocDoc&)> m_canShowTableTimeAndDate;
};

CdocDocLinks& docGetDocLinks();

bool docShareScales(CdocDoc* doc);
void docRemoveOrphanAnnotations(CdocDoc* doc);
bool docCanShowTimeAndDate(CdocDoc* doc);
bool docCanShowTableTimeAndDate(CdocDoc* doc);
