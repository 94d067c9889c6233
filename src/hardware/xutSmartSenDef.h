#pragma once
#include <wx/string.h>

class CxhwSenCalib;
class CxhwSensor;

// The definition block a smart sensor sends about itself, as received chunk
// by chunk, with the gain and offset the logger keeps for each range. Every
// reader gives its empty answer while the block is incomplete, and treats a
// record, table or string that reaches past the received bytes as missing.
class CxutSmartSenDef
{
public:
    static constexpr int kMaxLength = 15920;
    static constexpr int kHeaderLength = 32;

    CxutSmartSenDef();
    virtual ~CxutSmartSenDef() = default;

    bool Clear();
    bool Append(const unsigned char* bytes, int n);
    bool IsComplete() const;
    int GetLength() const { return m_length; }
    // A byte of the header of a complete block, else 0.
    int GetHeaderByte(int at) const
    {
        return IsComplete() && at >= 0 && at < kHeaderLength ? m_block[at] : 0;
    }

    const unsigned char* GetSubRecord(int s) const;
    const unsigned char* GetRange(int n) const;
    const unsigned char* GetPointTable(int k) const;
    const unsigned char* GetStringRecord(int k) const;
    // Leaves the text unchanged when there is no string k.
    void GetString(wxString& text, int k) const;
    int GetRangeCode(int n) const;
    int GetRangeCalType(int n) const;
    bool HasRange(int index) const;
    bool SubOffersRange(int s, int n, int bank) const;
    int NextRange(int ident, int after, bool any, bool trigger, bool scope, bool timing) const;
    int FindRange(int v) const;
    float ConvertRaw(int index, int raw) const;
    void GetRangeCalib(CxhwSenCalib& calib, int index) const;
    void AssignSensor(CxhwSensor& sensor, int index) const;

    void SetRangeGain(int n, float gain);
    void SetRangeOffset(int n, float offset);

private:
    int Byte(int offset) const { return m_block[offset]; }
    int Word(int offset) const { return m_block[offset] | (m_block[offset + 1] << 8); }
    int TotalLength() const { return m_length >= 2 ? Word(0) : 0; }
    // Bytes that belong to the block: those received, up to its own length
    // (the first chunk may bring more).
    int Limit() const { return m_length < TotalLength() ? m_length : TotalLength(); }
    bool Fits(int offset, int size) const
    {
        return offset >= 0 && size >= 0 && offset + size <= Limit();
    }
    int RangeCount() const { return Byte(8); }
    int SubCount() const { return Byte(4); }
    // Start of a walked record list entry k (1-based), or -1; its size comes
    // from the first byte times the unit plus 2.
    int WalkRecords(int first, int count, int k, int unit) const;

    int m_length = 0;
    unsigned char m_block[kMaxLength] = {};
    float m_gains[16];
    float m_offsets[16];
};

// The six definition blocks, one per logger input.
class CxutSmartSenDefs
{
public:
    static constexpr int kCount = 6;

    virtual ~CxutSmartSenDefs() = default;

    CxutSmartSenDef* GetDef(int input);
    const CxutSmartSenDef* GetDef(int input) const;

    // Each of these goes to the block of the index's input and does nothing
    // (or answers -1) when that is not 0..5.
    int FindNext(int ident, int after, bool any, bool trigger, bool scope, bool timing) const;
    void GetCalib(CxhwSenCalib& calib, int index) const;
    void AssignCalib(CxhwSensor& sensor, int index) const;
    void AssignSensor(CxhwSensor& sensor, int index) const;
    void GetName(wxString& name, int index) const;
    void GetIcon(wxString& icon, int index) const;
    void GetLabel(wxString& label, int index, int code, bool withPrefix) const;

private:
    CxutSmartSenDef m_defs[kCount];
};
