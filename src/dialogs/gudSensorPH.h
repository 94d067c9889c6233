#pragma once
#include "data/docFieldKey.h"

#include <wx/dialog.h>
#include <wx/timer.h>

class CdocDoc;
class CdocField;
class wxTextCtrl;

enum
{
    ID_SENSOR_PH_DIALOG = 10173,
    ID_SENSOR_PH_FIRST = 10174,
    ID_SENSOR_PH_SINGLE = 10175,
    ID_SENSOR_PH_TWO = 10176,
    ID_SENSOR_PH_401 = 10177,
    ID_SENSOR_PH_1000 = 10178,
    ID_SENSOR_PH_CUSTOM = 10179,
    ID_SENSOR_PH_BUFFER = 10180,
    ID_SENSOR_PH_MONITOR = 10181,
    ID_SENSOR_PH_SECOND = 10182,
    ID_SENSOR_PH_SECOND_GROUP = 10183,
};

// Recalibrates a pH sensor from one or two buffer solutions and writes the
// new calibration into the logger. The arithmetic is single precision, as
// the logger stores it.
class CgudSensorPH : public wxDialog
{
public:
    CgudSensorPH();
    CgudSensorPH(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxSize(400, 300),
                 long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudSensorPH() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();
    int ShowModal() override;

    // The channel while it is still a connected sensor that allows pH
    // calibration, else none.
    CdocField* GetValidChannel() const;
    // New gain and offset from the points taken and the monitor text; true
    // only for a full calibration. Reports "Invalid calibration." as asked.
    bool Compute(const CdocField* field, bool reportMissing, bool reportPartial);
    // Posts the calibration to the logger; false, after a message, when the
    // logger did not take it.
    bool WriteCalibration(const CdocField& field);
    void RefreshMonitor();

    void OnInitDialog(wxInitDialogEvent& event);
    void OnSingle(wxCommandEvent& event);
    void OnTwo(wxCommandEvent& event);
    void OnBuffer(wxCommandEvent& event);
    void OnBufferText(wxCommandEvent& event);
    void OnFirst(wxCommandEvent& event);
    void OnSecond(wxCommandEvent& event);
    void OnCalibrate(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnUpdateTwoPoint(wxUpdateUIEvent& event);
    void OnUpdateBuffer(wxUpdateUIEvent& event);
    void OnUpdateCalibrate(wxUpdateUIEvent& event);

    wxTextCtrl* m_bufferCtrl = nullptr;
    wxTextCtrl* m_monitorCtrl = nullptr;
    wxString m_buffer;
    wxString m_monitor;
    bool m_singlePoint = true;
    bool m_twoPoint = false;
    bool m_buffer401 = true;
    bool m_buffer1000 = false;
    bool m_bufferCustom = false;
    bool m_firstTaken = false;
    bool m_secondTaken = false;
    float m_p1 = 7.0f;
    float m_p2 = 0.0f;
    float m_v1 = 0.0f;
    float m_v2 = 0.0f;
    float m_g0;
    float m_o0;
    float m_g;
    float m_o;
    CdocDoc* m_doc = nullptr;
    CdocFieldKey m_field;
    wxTimer m_timer;

    // Kept for the program's run, updated only by a calibration that was
    // written: the custom buffer text and the second buffer (0 pH 4.01,
    // 1 pH 10.00, 2 custom).
    static wxString s_lastCustom;
    static int s_lastChoice;

private:
    // Ends the modal run, also when it has not begun yet.
    void Finish(int code);
    void TakePoint(bool second);
    void ChooseBuffer(bool* flag);

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSensorPH);
    wxDECLARE_EVENT_TABLE();
};

// Whether the channel is a connected pH sensor that the document, while
// ready, may calibrate.
bool gudCanCalibratePH(CdocDoc* doc, const CdocFieldKey& key);
// Runs the pH calibration on the channel; true when the logger took the new
// calibration.
bool gudCalibratePH(CdocDoc* doc, const CdocFieldKey& key);
