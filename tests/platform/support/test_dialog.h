// A dialog like the editor's satellite dialog, for the dialog and data
// exchange tests: a name (at most 15 bytes), an angle (0 to 180), a frequency
// (unsigned), a check box, OK and Cancel; every step it takes is logged.
#pragma once

#include "controls/button.h"
#include "dialogs/ddx.h"
#include "dialogs/dialogbase.h"
#include "controls/edit.h"
#include "controls/statictext.h"

#include <QLineEdit>
#include <QTest>

#include <cstdint>
#include <string>
#include <vector>

namespace platform_test {

using namespace platform;

enum : UINT { kName = 1004, kAngle = 1018, kFrequency = 1006, kTone = 1011, kInfo = 1003 };

class NetworkDialog : public DialogBase {
  public:
    explicit NetworkDialog(std::vector<std::string>* log, Window* parent = nullptr)
        : DialogBase(133, parent), m_log(log) {}

    std::string m_strName = "Hotbird";
    float m_fAngle = 13.0f;
    std::uint32_t m_nFrequency = 11200;
    int m_bTone = 1;
    std::string m_strInfo = "info";
    Edit m_name;  // made by the template itself
    Edit m_angle; // takes over the template's control on the first exchange
    bool endInInit = false;

    Edit* EditOf(UINT id) { return GetDlgItem<Edit>(static_cast<int>(id)); }
    Button* ButtonOf(UINT id) { return GetDlgItem<Button>(static_cast<int>(id)); }

  protected:
    void CreateControls() override {
        SetWindowText("Edit Network");
        SetDialogSize(200, 110);
        const DWORD child = WS_CHILD | WS_VISIBLE;
        AddControl<Static>()->Create("Satellite Name", child, MapDialogRect({7, 9, 60, 19}), this,
                                     0xFFFF);
        m_name.Create(child | WS_BORDER | WS_TABSTOP, MapDialogRect({65, 7, 190, 21}), this, kName);
        AddControl<Edit>()->Create(child | WS_BORDER | WS_TABSTOP, MapDialogRect({65, 25, 190, 39}),
                                   this, kAngle);
        AddControl<Edit>()->Create(child | WS_BORDER | WS_TABSTOP, MapDialogRect({65, 43, 190, 57}),
                                   this, kFrequency);
        AddControl<Button>()->Create("22Khz Tone", child | WS_TABSTOP | BS_AUTOCHECKBOX,
                                     MapDialogRect({7, 61, 100, 73}), this, kTone);
        AddControl<Static>()->Create("", child, MapDialogRect({7, 76, 190, 86}), this, kInfo);
        AddControl<Button>()->Create("OK", child | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                     MapDialogRect({80, 90, 130, 104}), this, IDOK);
        AddControl<Button>()->Create("Cancel", child | WS_TABSTOP,
                                     MapDialogRect({140, 90, 190, 104}), this, IDCANCEL);
    }
    BOOL OnInitDialog() override {
        m_log->push_back("OnInitDialog");
        const BOOL focusFirst = DialogBase::OnInitDialog();
        if (endInInit) EndDialog(IDABORT);
        return focusFirst;
    }
    void DoDataExchange(DataExchange* pDX) override {
        DDX_Control(pDX, kName, m_name);
        DDX_Control(pDX, kAngle, m_angle);
        DDX_Text(pDX, kName, m_strName);
        DDV_MaxChars(pDX, m_strName, 15);
        DDX_Text(pDX, kAngle, m_fAngle);
        DDV_MinMaxFloat(pDX, m_fAngle, 0.0f, 180.0f);
        DDX_Text(pDX, kFrequency, m_nFrequency);
        DDX_Check(pDX, kTone, m_bTone);
        DDX_Text(pDX, kInfo, m_strInfo);
    }
    void OnDestroy() override {
        m_log->push_back("OnDestroy");
        DialogBase::OnDestroy();
    }

  private:
    std::vector<std::string>* m_log;
};

// Types text into an edit as a user does: the whole old text selected, then
// the keys ("" just deletes).
inline void TypeInto(Edit* edit, const char* text) {
    edit->SetFocus();
    edit->SetSel(0, -1);
    QTest::keyClick(edit->GetWidget(), Qt::Key_Delete);
    QTest::keyClicks(edit->GetWidget(), text);
}

} // namespace platform_test
