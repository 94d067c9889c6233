#include "wizard/gudRadioGroup.h"

#include <wx/radiobut.h>
#include <wx/window.h>

CgudRadioGroup::CgudRadioGroup(wxWindow* parent, const int* ids, const int* values, int32_t count)
    : m_parent(parent), m_ids(ids), m_values(values), m_count(count)
{
}

void CgudRadioGroup::Select(int value) const
{
    if (!m_parent || m_count < 1)
        return;
    int position = 0;
    for (int i = 0; i < m_count; ++i) {
        if (m_values[i] == value) {
            position = i;
            break;
        }
    }
    if (auto* button = wxDynamicCast(m_parent->FindWindow(m_ids[position]), wxRadioButton))
        button->SetValue(true);
}

void CgudRadioGroup::EnableAll(const bool* flags) const
{
    if (!m_parent)
        return;
    for (int i = 0; i < m_count; ++i)
        if (wxWindow* button = m_parent->FindWindow(m_ids[i]))
            button->Enable(flags[i]);
}

int CgudRadioGroup::GetValue() const
{
    if (m_count < 1)
        return 0;
    if (!m_parent)
        return m_values[0];
    int enabled = -1;
    int present = -1;
    for (int i = 0; i < m_count; ++i) {
        wxWindow* window = m_parent->FindWindow(m_ids[i]);
        if (!window)
            continue;
        if (auto* button = wxDynamicCast(window, wxRadioButton); button && button->GetValue())
            return m_values[i];
        if (enabled < 0 && window->IsEnabled())
            enabled = i;
        if (present < 0)
            present = i;
    }
    if (enabled >= 0)
        return m_values[enabled];
    return m_values[present >= 0 ? present : 0];
}
