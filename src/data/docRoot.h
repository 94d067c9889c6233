#pragma once

class CdocDoc;

// Base of every part of a document's data object: the back pointer to the
// data object that owns the part.
class CdocRoot
{
public:
    CdocRoot() = default;
    CdocRoot(const CdocRoot&) = default;
    CdocRoot& operator=(const CdocRoot&) = default;
    virtual ~CdocRoot() {}

    CdocDoc* m_doc = nullptr;
};
