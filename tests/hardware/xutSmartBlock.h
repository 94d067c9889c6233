#pragma once
#include "hardware/xutSmartSenDef.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace qvtest {

// Writes a smart sensor's definition block byte by byte: the header, then
// the sub-channel records, the range records, the point tables and the
// strings, each list right after the one before.
struct SmartSub
{
    int indicator = 0; // 0 sets the input's indicator flag
    int flags = 0;     // optional, initially disabled, initially invisible
    std::array<int, 8> list{}; // low nibble first bank, high nibble second bank
};

struct SmartRange
{
    int description = 0;
    int name = 0;
    int units = 0;
    int table = 0;
    int decimal = 0;
    int calMax = 100;
    int calMin = 0;
    int defMax = 100;
    int defMin = 0;
    int places = 1;
    int postProc = 0;
    int use = 0; // byte 26: slow, trigger, scope, timing, ...
    int dialogs = 0;
    int icon = 0;
};

struct SmartTable
{
    int decimal = 0;
    std::vector<std::pair<int, int>> points; // raw, stored value
};

struct SmartBlock
{
    static constexpr int kSubSize = 10;

    std::vector<SmartSub> subs;
    std::vector<SmartRange> ranges;
    std::vector<SmartTable> tables;
    std::vector<std::u16string> strings;
    int rangeSize = 30;
    int nameString = 0;
    int version = 0;
    int product = 3;
    int brand = 0x11;
    int lang = 0;
    int ledMain = 0;
    int warmUp = 0;
    int current = 0;
    int timing = 0;

    // Header field offsets, for tests that spoil them.
    static constexpr size_t kTotal = 0, kSubCount = 4, kSubSizeAt = 5, kSubFirst = 6,
                            kRangeCount = 8, kRangeSizeAt = 9, kRangeFirst = 10,
                            kTableCount = 12, kTableFirst = 14, kStringCount = 16,
                            kStringFirst = 18;

    static void Put16(std::vector<unsigned char>& b, size_t at, int v)
    {
        b[at] = static_cast<unsigned char>(v & 0xFF);
        b[at + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
    }

    static int Get16(const std::vector<unsigned char>& b, size_t at)
    {
        return b[at] | (b[at + 1] << 8);
    }

    std::vector<unsigned char> Build() const
    {
        std::vector<unsigned char> b(32, 0);
        b[kSubCount] = static_cast<unsigned char>(subs.size());
        b[kSubSizeAt] = kSubSize;
        Put16(b, kSubFirst, int(b.size()));
        for (const SmartSub& s : subs) {
            const size_t at = b.size();
            b.resize(at + kSubSize, 0);
            b[at] = static_cast<unsigned char>(s.indicator);
            b[at + 1] = static_cast<unsigned char>(s.flags);
            for (size_t i = 0; i < 8; ++i)
                b[at + 2 + i] = static_cast<unsigned char>(s.list[i]);
        }
        b[kRangeCount] = static_cast<unsigned char>(ranges.size());
        b[kRangeSizeAt] = static_cast<unsigned char>(rangeSize);
        Put16(b, kRangeFirst, int(b.size()));
        for (const SmartRange& r : ranges) {
            const size_t at = b.size();
            b.resize(at + size_t(rangeSize), 0);
            b[at] = static_cast<unsigned char>(r.description);
            b[at + 1] = static_cast<unsigned char>(r.name);
            b[at + 2] = static_cast<unsigned char>(r.units);
            b[at + 3] = static_cast<unsigned char>(r.table | (r.decimal << 4));
            Put16(b, at + 4, r.calMax);
            Put16(b, at + 6, r.calMin);
            Put16(b, at + 8, r.defMax);
            Put16(b, at + 10, r.defMin);
            b[at + 18] = static_cast<unsigned char>(r.places);
            b[at + 20] = static_cast<unsigned char>(r.postProc);
            b[at + 26] = static_cast<unsigned char>(r.use);
            b[at + 27] = static_cast<unsigned char>(r.dialogs);
            if (rangeSize >= 30)
                b[at + 29] = static_cast<unsigned char>(r.icon);
        }
        b[kTableCount] = static_cast<unsigned char>(tables.size());
        Put16(b, kTableFirst, int(b.size()));
        for (const SmartTable& t : tables) {
            const size_t at = b.size();
            b.resize(at + 2 + 4 * t.points.size(), 0);
            b[at] = static_cast<unsigned char>(t.points.size());
            b[at + 1] = static_cast<unsigned char>(t.decimal);
            for (size_t i = 0; i < t.points.size(); ++i) {
                Put16(b, at + 2 + 4 * i, t.points[i].first);
                Put16(b, at + 4 + 4 * i, t.points[i].second);
            }
        }
        b[kStringCount] = static_cast<unsigned char>(strings.size());
        Put16(b, kStringFirst, int(b.size()));
        for (const std::u16string& s : strings) {
            const size_t at = b.size();
            b.resize(at + 2 + 2 * s.size(), 0);
            b[at] = static_cast<unsigned char>(s.size());
            for (size_t i = 0; i < s.size(); ++i)
                Put16(b, at + 2 + 2 * i, s[i]);
        }
        b[20] = static_cast<unsigned char>(nameString);
        b[21] = static_cast<unsigned char>(version);
        b[22] = static_cast<unsigned char>(product);
        b[23] = static_cast<unsigned char>(brand);
        Put16(b, 24, lang);
        b[26] = static_cast<unsigned char>(ledMain);
        b[27] = static_cast<unsigned char>(warmUp);
        b[28] = static_cast<unsigned char>(current);
        b[31] = static_cast<unsigned char>(timing);
        Put16(b, kTotal, int(b.size()));
        return b;
    }
};

// Hands a block over as the logger does: cleared, then 62-byte chunks.
inline bool FillDef(CxutSmartSenDef& def, const std::vector<unsigned char>& bytes)
{
    def.Clear();
    bool ok = true;
    for (size_t at = 0; at < bytes.size(); at += 62)
        ok = def.Append(bytes.data() + at, int(std::min<size_t>(62, bytes.size() - at)));
    return ok;
}

} // namespace qvtest
