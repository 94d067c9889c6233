#pragma once
#include <cstdint>

class wxWindow;

// Ties a page's radio buttons to the set-up values they stand for; the id and
// value tables are constant data of the page, of the same length. Buttons
// removed from the page are skipped.
class CgudRadioGroup
{
public:
    CgudRadioGroup() = default;
    CgudRadioGroup(wxWindow* parent, const int* ids, const int* values, int32_t count);

    // Selects the button of the value, or the first button when none has it.
    void Select(int value) const;
    // Enables each button by the flag at its position.
    void EnableAll(const bool* flags) const;
    // The value of the selected button; without one, of the first enabled,
    // else of the first present button.
    int GetValue() const;

    wxWindow* m_parent = nullptr;
    const int* m_ids = nullptr;
    const int* m_values = nullptr;
    int32_t m_count = 0;
};
