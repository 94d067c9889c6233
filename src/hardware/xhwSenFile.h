#pragma once
#include <vector>
#include <wx/string.h>

// The sensor database read from Sensors.txt.
class CxhwSenFile
{
public:
    CxhwSenFile();
    virtual ~CxhwSenFile();

    bool Load();
    size_t GetLineCount() const { return m_lines.size(); }

private:
    std::vector<wxString> m_lines;
};
