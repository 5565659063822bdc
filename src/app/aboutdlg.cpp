#include "aboutdlg.h"

#include "controls/button.h"
#include "dialogs/ddx.h"
#include "resource.h"

#include <cstdio>

using namespace platform;

namespace {
constexpr UINT kTextId = 0xFFFF; // static texts no code addresses
}

CAboutDlg::CAboutDlg(Window* parent) : DialogBase(IDD_ABOUTBOX, parent) {}

void CAboutDlg::CreateControls() {
    SetDialogSize(235, 55);
    SetWindowText("About Quorvandelix");
    const DWORD child = WS_CHILD | WS_VISIBLE;
    AddControl<Static>()->Create("Varonek HD STB Channel Editor  Ver 0.2", child,
                                 MapDialogRect({40, 10, 180, 18}), this, kTextId);
    AddControl<Static>()->Create("Created Time : ", child, MapDialogRect({40, 25, 95, 33}), this,
                                 kTextId);
    m_stTime.Create("", child, MapDialogRect({95, 25, 190, 33}), this, IDC_STATIC_BUILDTIME);
    AddControl<Button>()->Create("OK", child | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                 MapDialogRect({190, 7, 228, 21}), this, IDOK);
}

void CAboutDlg::DoDataExchange(DataExchange* pDX) {
    DialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STATIC_BUILDTIME, m_stTime);
}

// Never fails.
BOOL CAboutDlg::OnInitDialog() {
    DialogBase::OnInitDialog();
    char text[64];
    std::snprintf(text, sizeof text, "%s %s", __DATE__, __TIME__);
    m_stTime.SetWindowText(text);
    return TRUE;
}
