#pragma once
#include <memory>
#include <wx/cmndata.h>
#include <wx/docview.h>

// The document manager: file commands, data folder and printing.
class CgumDocManager : public wxDocManager
{
public:
    CgumDocManager();
    ~CgumDocManager() override;

    bool CreatePrintData();
    void DeletePrintData();
    wxPrintData* GetPrintData() const { return m_printData.get(); }

    wxString m_dataDir;

private:
    std::unique_ptr<wxPrintData> m_printData;
};
