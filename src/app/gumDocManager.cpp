#include "app/gumDocManager.h"

#include <new>

CgumDocManager::CgumDocManager() : wxDocManager(0, true) {}

CgumDocManager::~CgumDocManager() = default;

bool CgumDocManager::CreatePrintData()
{
    m_printData.reset(new (std::nothrow) wxPrintData);
    return m_printData != nullptr;
}

void CgumDocManager::DeletePrintData()
{
    m_printData.reset();
}
