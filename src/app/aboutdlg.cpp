#include "aboutdlg.h"

#include "dialogs/ddx.h"
#include "editordialogs.h"
#include "resource.h"

#include <cstdio>

using namespace platform;

CAboutDlg::CAboutDlg(Window* parent) : DialogBase(IDD_ABOUTBOX, parent) {}

void CAboutDlg::CreateControls() {
    CreateFromTemplate(AboutDialogTemplate(), {{IDC_STATIC_BUILDTIME, &m_stTime}});
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
