#pragma once
#include <wx/textfile.h>

// The text file through which settings and data files are read and written.
class zxTextFile : public wxTextFile
{
public:
    zxTextFile() = default;
    explicit zxTextFile(const wxString& path) : wxTextFile(path) {}
    ~zxTextFile() override;
};

inline zxTextFile::~zxTextFile() = default;
