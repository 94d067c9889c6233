#pragma once
#include <cstdint>
#include <wx/string.h>

// One file stored on a logger, as the stored-file list shows it.
class CxutFetchFile
{
public:
    virtual ~CxutFetchFile() = default;

    // Takes the number, clears date, time and kind and makes the default name.
    void SetNumber(int32_t n);
    // The word for file, a blank and the number's letter.
    void MakeName();
    // A logger's date (yymmdd or yyyymmdd) and time (hhmmss). A two-digit
    // year above 80 is of the 1900s, else of the 2000s; a date before 2004
    // comes from a clock that was never set and clears date and time.
    void SetDateTime(int32_t date, int32_t time);

    int32_t m_number = 0;
    wxString m_name;
    int32_t m_time = 0; // hhmmss, 0 none
    int32_t m_date = 0; // yyyymmdd, 0 none
    int32_t m_kind = 0; // kind of run stored, 1 to 6; 0 none
};
