#include "files/zxTextInputStream.h"

namespace {

// The toolkit gives a null character (older versions the end-of-text one)
// both at the end of the input and for bytes it cannot decode.
bool IsEnd(wxChar c)
{
    return c == 0 || c == 4;
}

} // namespace

bool CzxTextInputStream::ReadLine(wxString& line)
{
    line.clear();
    if (m_input.Eof())
        return true;
    for (;;) {
        const wxChar c = GetChar();
        if (IsEnd(c))
            return m_input.LastRead() == 0; // nothing read: the true end
        if (c == '\r') {
            const wxChar next = GetChar();
            if (IsEnd(next))
                return m_input.LastRead() == 0;
            if (next != '\n')
                UngetLast();
            return true;
        }
        if (c == '\n')
            return true;
        line += c;
        if (m_input.Eof())
            return true;
    }
}
