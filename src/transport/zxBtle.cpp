#include "transport/zxBtle.h"

namespace {

CzxBtleManager& Central()
{
    return CzxBtleManager::Shared();
}

} // namespace

CzxBtle::CzxBtle() = default;

CzxBtle::~CzxBtle() = default;

CzxBtle& zxGetBtle()
{
    static CzxBtle port;
    return port;
}

void CzxBtle::LoadUserDefaults()
{
    Central().LoadUserDefaults();
}

void CzxBtle::SetSelectedLogger(const wxString& identifier, const wxString& name)
{
    Central().LoadSelectedLogger(identifier, name);
}

bool CzxBtle::IsOpen() const
{
    return false;
}

bool CzxBtle::IsScanning() const
{
    return Central().IsScanning();
}

bool CzxBtle::ScanStart()
{
    return Central().ScanStart();
}

void CzxBtle::ScanStop()
{
    Central().ScanStop();
}

void CzxBtle::ClearLoggers()
{
    Central().ClearLoggers();
}

void CzxBtle::ForgetLoggers()
{
    Central().ForgetLoggers();
}

void CzxBtle::InitSelection()
{
    Central().InitSelection();
}

int CzxBtle::GetLoggerCount() const
{
    return Central().GetLoggerCount();
}

void CzxBtle::GetLogger(int index, wxString& name, wxString& identifier) const
{
    Central().GetLogger(index, name, identifier);
}

int CzxBtle::GetSelectedIndex() const
{
    return Central().GetSelectedOrNone();
}

void CzxBtle::GetStateText(wxString& text) const
{
    const int dash = text.Find(" - ");
    if (dash != wxNOT_FOUND)
        text.Truncate(size_t(dash));
    text += " - " + Central().GetStateText();
}

void CzxBtle::SetDiscoverHandler(zxBtleDiscoverHandler handler, void* handle)
{
    Central().SetDiscoverHandler(handler, handle);
}

void CzxBtle::OnScanDialogEvent() {}
