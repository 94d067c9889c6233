#pragma once

class CdocField;

// A reference to a channel by its unique key, with the channel's last known
// position and pointer cached. Only the key identifies the channel: resolve
// the reference with CdocFieldV::Find before every use.
class CdocFieldKey
{
public:
    CdocFieldKey() = default;
    CdocFieldKey(int key, int index, CdocField* field) : m_key(key), m_index(index), m_field(field) {}

    bool IsEmpty() const { return m_key == 0; }
    void Clear() { *this = CdocFieldKey(); }

    int m_key = 0;
    int m_index = -1;
    CdocField* m_field = nullptr;
};
