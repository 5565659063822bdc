#include "quorvandelixview.h"

#include "editordialogs.h"
#include "networkmenu.h"
#include "networktp.h"
#include "quorvandelixdoc.h"
#include "resource.h"

#include "draw/brush.h"
#include "window/cursor.h"
#include "draw/dc.h"
#include "dialogs/ddx.h"
#include "base/drawconstants.h"
#include "dialogs/messagebox.h"
#include "window/popupmenu.h"
#include "controls/statictext.h"

#include <QSplitter>
#include <QWidget>

using namespace platform;

CQuorvandelixView::CQuorvandelixView() : FormView(QuorvandelixFormTemplate()) {
    MapCommand(IDC_FORM_ADD, [this] { OnAdd(); });
    MapCommand(IDC_FORM_DELETE, [this] { OnDelete(); });
    // Handled, and nothing more.
    for (unsigned id : {IDC_FORM_TV, IDC_FORM_RADIO, IDC_FORM_FAV, ID_CHANNEL_INFORMATION,
                        ID_INPUT_MOVE_POSITION})
        MapCommand(id, [] {});
    MapCommand(
        IDC_FORM_SORT, [] {}, CBN_SELCHANGE);
}

CQuorvandelixView::~CQuorvandelixView() {
    // The tip is a window of its own; the grid and the buttons go while the
    // view's handlers are in place.
    if (m_TitleTip.IsWindow()) m_TitleTip.DestroyWindow();
    if (IsWindow()) DestroyWindow();
}

Window* CQuorvandelixView::ControlFor(UINT id) {
    switch (id) {
    case IDC_FORM_FAV:
        return &m_btnFav;
    case IDC_FORM_DELETE:
        return &m_btnDelete;
    case IDC_FORM_ADD:
        return &m_btnAdd;
    case IDC_FORM_SORT:
        return &m_cbSort;
    default:
        return nullptr;
    }
}

void CQuorvandelixView::DoDataExchange(DataExchange* pDX) {
    FormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FORM_FAV, m_btnFav);
    DDX_Control(pDX, IDC_FORM_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_FORM_ADD, m_btnAdd);
    DDX_Check(pDX, IDC_FORM_TV, m_bTv);
    DDX_Check(pDX, IDC_FORM_RADIO, m_bRadio);
    DDX_Control(pDX, IDC_FORM_SORT, m_cbSort);
    DDX_Text(pDX, IDC_CHANNEL_COUNT, m_strChannelCount);
    DDX_Text(pDX, IDC_CHANNEL_INFO, m_strChannelInfo);
}

void CQuorvandelixView::OnInitialUpdate() {
    if (!IsWindow()) return;
    FormView::OnInitialUpdate();
    ResizeParentToFit();

    // The grid takes the placeholder's place (made before the grid, so the
    // look-up by id finds the placeholder).
    Rect rect;
    if (Window* place = GetDlgItem(IDC_GRID_PLACE)) {
        place->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    m_Grid.Create(rect, this, IDC_GRID_PLACE, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    m_TitleTip.Create(this);

    m_btnAdd.EnableWindow(FALSE);
    m_btnDelete.EnableWindow(FALSE);
    m_cbSort.EnableWindow(FALSE);
    m_btnFav.EnableWindow(FALSE);
    UpdateData(FALSE);
}

Brush* CQuorvandelixView::OnCtlColor(Dc* pDC, Window* pWnd, UINT nCtlColor) {
    FormView::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetBkColor(kBackColour);
    pDC->SetTextColor(kTextColour);
    return GetStockBrush(BLACK_BRUSH);
}

// ---- printing ----

bool CQuorvandelixView::OnPreparePrinting(PrintInfo* info) {
    return DoPreparePrinting(info);
}

void CQuorvandelixView::OnBeginPrinting(Dc*, PrintInfo*) {}

void CQuorvandelixView::OnPrint(Dc*, PrintInfo*) {}

void CQuorvandelixView::OnEndPrinting(Dc*, PrintInfo*) {}

void CQuorvandelixView::OnDraw(Dc*) {}

// ---- commands ----

const CNetworkTp* CQuorvandelixView::SplitterTree() const {
    QWidget* widget = GetWidget();
    auto* splitter = widget ? qobject_cast<QSplitter*>(widget->parentWidget()) : nullptr;
    if (!splitter || splitter->count() == 0) return nullptr;
    return qobject_cast<const CNetworkTp*>(splitter->widget(0));
}

void CQuorvandelixView::OnAdd() {
    if (!m_bEditEnabled) return;
    const CNetworkTp* tree = SplitterTree();
    if (!tree || !m_runEditChannel) return;
    const auto mode = static_cast<uint8_t>(m_bTv & 0xFF);
    if (m_runEditChannel(mode, tree->m_select, tree->m_iNet, tree->m_iTp) != 0) OnRefresh();
}

void CQuorvandelixView::OnDelete() {
    MessageBox("This function is not applied", "Infomation", MB_OK);
}

// ---- the grid's notifications ----

void CQuorvandelixView::EnableRowButtons(int row) {
    const BOOL enable = row != 0 ? TRUE : FALSE;
    m_btnDelete.EnableWindow(enable);
    m_btnFav.EnableWindow(enable);
}

void CQuorvandelixView::ShowRowMenu() {
    Point cursor;
    GetCursorPos(&cursor);
    TrackPopupMenu(NetworkPopupMenu(kInformationPopup), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x,
                   cursor.y, this, GetWidget());
}

BOOL CQuorvandelixView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (FormView::OnNotify(wParam, lParam, result)) return TRUE;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != IDC_GRID_PLACE) return FALSE;
    const auto* cell = reinterpret_cast<const NMGRIDCELL*>(lParam);
    switch (header->code) {
    case LVN_BEGINLABELEDIT:
        *result = 0;
        m_strEditText = m_Grid.GetItemText(cell->iRow, cell->iColumn);
        return TRUE;
    case LVN_ENDLABELEDIT:
        return TRUE;
    case LVN_COLUMNCLICK:
    case LVN_BEGINDRAG:
        m_nSelRow = static_cast<uint16_t>(cell->iRow);
        EnableRowButtons(cell->iRow);
        return TRUE;
    case NM_RCLICK:
        *result = 0;
        m_nMenuRow = static_cast<uint16_t>(cell->iRow);
        if (m_bEditEnabled && cell->iRow != -1 && cell->iRow != 0) ShowRowMenu();
        return TRUE;
    case GRIDN_SELRESET:
        *result = 0;
        m_nSelRow = 0;
        EnableRowButtons(0);
        return TRUE;
    default:
        return FALSE;
    }
}
