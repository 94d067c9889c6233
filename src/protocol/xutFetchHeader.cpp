#include "protocol/xutFetchHeader.h"

void CxutFetchHeader::Assign(const CxutFetchHeader& other)
{
    *this = other;
}
