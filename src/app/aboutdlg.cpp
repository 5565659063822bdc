#include "aboutdlg.h"

#include "dialogs/ddx.h"
#include "editordialogs.h"
#include "resource.h"

#include "buildstamp.h"
#include "mainicon.h"
#include "window/icon.h"

#include <QLabel>

#include <cstdio>

using namespace platform;

namespace {
// The icon's static, which no code addresses by id, and its picture's side.
constexpr UINT kIconId = 0xFFFF;
constexpr int kIconSize = 32;
} // namespace

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
    std::snprintf(text, sizeof text, "%s %s", BuildDate(), BuildTime());
    m_stTime.SetWindowText(text);
    // Icon 128, in the frame and beside the texts.
    const HICON icon = LoadIcon(MainIconPixmap());
    SetIcon(*this, icon, TRUE);
    Static* picture = AddControl<Static>();
    if (picture->Create("", WS_CHILD | WS_VISIBLE, MapDialogRect({11, 10, 32, 31}), this,
                        kIconId) &&
        picture->Label()) {
        picture->Label()->setPixmap(icon.pixmap(kIconSize, kIconSize));
        picture->Label()->setAlignment(Qt::AlignCenter);
    }
    return TRUE;
}
