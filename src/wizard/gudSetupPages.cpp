#include "wizard/gudSetupPages.h"

#include "app/appOptions.h"
#include "app/base/gumHelpers.h"
#include "wizard/gudSetupWizard.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/radiobut.h>
#include <wx/wizard.h>

CgudSetupWizard& gudWizardOf(const wxWindow* page)
{
    return *static_cast<CgudSetupWizard*>(page->GetParent());
}

CxhwSetup& gudSetupOf(const wxWindow* page)
{
    return gudWizardOf(page).m_setup;
}

CdocDoc& gudDocOf(const wxWindow* page)
{
    return *gudWizardOf(page).m_doc;
}

wxStaticBoxSizer* gudBeginPage(wxWizardPage* page, const wxString& title, wxBoxSizer*& texts)
{
    auto* main = new wxBoxSizer(wxHORIZONTAL);
    page->SetSizer(main);
    auto* left = new wxBoxSizer(wxVERTICAL);
    main->Add(left, 0, wxEXPAND, 0);
    auto* box = new wxStaticBox(page, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, 0, "groupBox");
    auto* group = new wxStaticBoxSizer(box, wxVERTICAL);
    left->Add(group, 1, wxEXPAND | wxALL, 5);
    main->Add(new wxStaticLine(page, wxID_STATIC, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL, "staticLine"), 0,
              wxEXPAND | wxLEFT | wxRIGHT, 5);
    texts = new wxBoxSizer(wxVERTICAL);
    main->Add(texts, 1, wxEXPAND, 0);
    return group;
}

wxStaticText* gudAddText(wxWindow* page, wxSizer* texts, const wxString& text, int spacer)
{
    if (spacer > 0)
        texts->Add(5, 5, spacer, wxEXPAND, 0);
    auto* label = new wxStaticText(page, wxID_STATIC, text, wxDefaultPosition, wxDefaultSize, 0, "staticText");
    texts->Add(label, 0, wxALL, 5);
    return label;
}

void gudAddStartRow(wxWindow* page, wxSizer* texts)
{
    texts->Add(5, 5, 1, wxEXPAND, 0);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    texts->Add(row, 0, wxEXPAND, 0);
    row->Add(new wxStaticText(page, wxID_STATIC, _("Select Start to begin logging."), wxDefaultPosition,
                              wxDefaultSize, 0, "staticText"),
             0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    row->Add(5, 5, 1, wxEXPAND, 0);
    row->Add(new wxButton(page, ID_SETUP_START, _("Start"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                          "button"),
             0, wxLEFT | wxTOP | wxBOTTOM, 2);
}

wxWindow* gudAddRadio(wxWindow* page, wxSizer* sizer, int id, const wxString& label, bool first, int spacer)
{
    if (spacer > 0)
        sizer->Add(5, 5, spacer, wxEXPAND, 0);
    auto* button = new wxRadioButton(page, id, label, wxDefaultPosition, wxDefaultSize, first ? wxRB_GROUP : 0,
                                     wxDefaultValidator, "radioButton");
    button->SetValue(false);
    sizer->Add(button, 0, wxALL, 5);
    return button;
}

void gudRemoveChoice(wxWindow* page, int feature, int id, wxWindow* hiddenText)
{
    if (appIsAllowed(feature))
        return;
    wxWindow* window = page->FindWindow(id);
    if (!window)
        return;
    if (wxSizer* sizer = window->GetContainingSizer()) {
        int position = -1;
        const wxSizerItemList& items = sizer->GetChildren();
        int i = 0;
        for (const wxSizerItem* item : items) {
            if (item->GetWindow() == window)
                position = i;
            ++i;
        }
        if (position >= 0) {
            sizer->Remove(position); // detaches the window
            if (position > 0 && sizer->GetItem(size_t(position - 1))->IsSpacer())
                sizer->Remove(position - 1);
        } else {
            sizer->Detach(window);
        }
    }
    window->Destroy();
    if (hiddenText)
        hiddenText->Hide();
}

wxTextValidator gudNumberValidator(const wxString& allowed, wxString* data)
{
    wxTextValidator validator(wxFILTER_INCLUDE_CHAR_LIST, data);
    wxArrayString chars;
    for (wxUniChar c : allowed)
        chars.Add(wxString(c));
    validator.SetIncludes(chars);
    return validator;
}

bool gudFinishTransferToWindow(wxWizardPage* page)
{
    if (wxWindow* start = page->FindWindow(ID_SETUP_START))
        start->Enable(gudSetupOf(page).IsLogTypeSupported(gudDocOf(page)));
    const bool result = page->wxWindow::TransferDataToWindow();
    page->Layout();
    gudWizardOf(page).Fit();
    return result;
}

bool gudReadPositive(const wxString& text, double& value)
{
    double number = 0.0;
    if (!gumStringToDouble(text, &number) || !(number > 0.0))
        return false;
    value = number;
    return true;
}

bool gudIsDistanceMeasurement(int measurement)
{
    return measurement == MEASUREMENT_SPEED || measurement == MEASUREMENT_VELOCITY
           || measurement == MEASUREMENT_KINETIC_ENERGY || measurement == MEASUREMENT_MOMENTUM;
}
