#pragma once
// Data files with one line of each kind up to the longest a file may have
// (about a megabyte), for the reader's test and its benchmark.
#include <string>
#include <vector>

namespace qvtest {

constexpr size_t kLongestLine = (1u << 20) - 100;

struct LongLineCase
{
    const char* what;
    std::string prefix, piece, suffix;
    bool ok; // whether the file reads
};

inline const std::vector<LongLineCase>& LongLineCases()
{
    static const std::vector<LongLineCase> cases = {
        {"prediction points", "%%Quorvanti,Predict,Points,", "1.5,2.5,", "", true},
        {"formula tokens", "%%Quorvanti,Calculate,0,0,-1,0,50", ",4,-1,xxxxxxxxxxxxxxxxxxxx", "", true},
        {"state title", "%%Quorvanti,Doc,Title,", "a,", "", true},
        {"timer", "%%Quorvanti,TimerV,Timer,", "123456789,", "", true},
        {"annotation", "%%Quorvanti,Annotation,0,0,0,1,2,", "x,", "", true},
        {"font", "%%Quorvanti,Graph,Font,", "12345678;", "", true},
        {"range", "%%Quorvanti,Field,Cal,1,", "1,", "", true},
        {"quoted section", "%%Quorvanti,\"", "\",\"", "", true},
        {"header title", "%%Title,", "t,", "", true},
        {"notes", "%%Ombex_Notes,\"", "n,", "\"", true},
        {"interval", "%%Interval,0.", "0", "1", false},
        {"row", "%%Quorvanti,Doc,Activity,2\r\n", "1,", "", true},
    };
    return cases;
}

// The file of a case whose long line repeats its piece to about length.
inline std::string LongLineFile(const LongLineCase& c, size_t length)
{
    std::string line = c.prefix;
    while (line.size() + c.piece.size() < length)
        line += c.piece;
    return "%%Identifier,QVD\r\n%%DataSize,1,2\r\n%%Quorvanti,Doc,Version,12\r\n" + line + c.suffix +
           "\r\n1,2\r\n";
}

} // namespace qvtest
