// A report list on an active top-level owner for the list and header tests:
// the owner records the notifications it hears, the list logs the handlers
// it runs, draws each owner-drawn row in one colour and measures its rows
// at a height the test chooses.
#pragma once

#include "activeowner.h"
#include "draw/dc.h"
#include "draw/font.h"
#include "controls/headercontrol.h"
#include "draw/imagelist.h"
#include "controls/listcontrol.h"
#include "draw/syscolors.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace platform_test {

using namespace platform;

using Log = std::vector<std::string>;

// Joins texts by appending (the operator+ forms trip a false -Wrestrict in
// GCC 12's optimised builds).
template <typename... Parts> std::string Cat(const Parts&... parts) {
    std::string out;
    ((out += parts), ...);
    return out;
}

struct Notice {
    UINT code = 0;
    int item = -1;
    int subItem = -1;
    UINT oldState = 0;
    UINT newState = 0;
    Point pt;
    WORD key = 0;
};

// The list's owner: notifications the list does not take back are kept.
class ListOwner : public Window {
  public:
    std::vector<Notice> notices;
    Log* log = nullptr;
    std::function<void(const Notice&)> onNotice; // runs after a notice is kept

    // The records of one code only (LVN_ITEMCHANGED: the changes).
    std::vector<Notice> Of(UINT code) const {
        std::vector<Notice> out;
        for (const Notice& n : notices)
            if (n.code == code) out.push_back(n);
        return out;
    }
    std::vector<Notice> Changes() const { return Of(LVN_ITEMCHANGED); }

  protected:
    BOOL OnNotify(WPARAM w, LPARAM l, LRESULT* result) override {
        if (Window::OnNotify(w, l, result)) return TRUE;
        const auto* header = reinterpret_cast<const NMHDR*>(l);
        Notice n;
        n.code = header->code;
        if (n.code == LVN_ITEMCHANGED) {
            const auto* nm = reinterpret_cast<const NMLISTVIEW*>(l);
            n.item = nm->iItem;
            n.oldState = nm->uOldState;
            n.newState = nm->uNewState;
            if (log)
                log->push_back(Cat("LVN_ITEMCHANGED ", std::to_string(n.item), " ",
                                   std::to_string(n.newState)));
        } else if (n.code == NM_DBLCLK || n.code == NM_CLICK) {
            const auto* nm = reinterpret_cast<const NMITEMACTIVATE*>(l);
            n.item = nm->iItem;
            n.subItem = nm->iSubItem;
            n.pt = nm->ptAction;
            if (log)
                log->push_back(Cat(n.code == NM_CLICK ? "NM_CLICK " : "NM_DBLCLK ",
                                   std::to_string(n.item)));
        } else if (n.code == LVN_KEYDOWN) {
            n.key = reinterpret_cast<const NMLVKEYDOWN*>(l)->wVKey;
            if (log) log->push_back(Cat("LVN_KEYDOWN ", std::to_string(n.key)));
        }
        notices.push_back(n);
        if (onNotice) onNotice(n);
        *result = 0;
        return TRUE;
    }
};

class TestList : public ListControl {
  public:
    Log* log = nullptr;
    int rowHeight = 16;
    int measured = 0;
    COLORREF fill = RGB(255, 0, 0);
    std::vector<int> drawn;         // rows drawn, in order
    std::vector<UINT> drawnStates;  // their itemState
    bool scrollDefault = true;      // OnVScroll / OnHScroll run the default
    std::vector<UINT> vscrollCodes; // codes OnVScroll heard

    void Add(const std::string& what) {
        if (log) log->push_back(what);
    }

  protected:
    void MeasureItem(MEASUREITEMSTRUCT* mis) override {
        ++measured;
        mis->itemHeight = static_cast<UINT>(rowHeight);
    }
    void DrawItem(DRAWITEMSTRUCT* dis) override {
        drawn.push_back(static_cast<int>(dis->itemID));
        drawnStates.push_back(dis->itemState);
        dis->hDC->FillSolidRect(dis->rcItem, fill);
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) Add(Cat("hook ", std::to_string(msg->wParam)));
        return FALSE;
    }
    void OnKeyDown(UINT ch, UINT rep, UINT flags) override {
        Add(Cat("OnKeyDown ", std::to_string(ch)));
        ListControl::OnKeyDown(ch, rep, flags);
        Add("OnKeyDown done");
    }
    void OnVScroll(UINT code, UINT pos, ScrollBar* bar) override {
        vscrollCodes.push_back(code);
        if (scrollDefault) ListControl::OnVScroll(code, pos, bar);
    }
    void OnHScroll(UINT code, UINT pos, ScrollBar* bar) override {
        if (scrollDefault) ListControl::OnHScroll(code, pos, bar);
    }
};

// An owner of width x height with a list filling it (id 256), shown and
// active, and a 16 pixel small image list on the list.
class ListFixture {
  public:
    // beforeCreate runs on the list before its window is made.
    ListFixture(DWORD listStyle, int width, int height,
                const std::function<void(TestList&)>& beforeCreate = nullptr) {
        owner.log = &log;
        list.log = &log;
        if (beforeCreate) beforeCreate(list);
        active = CreateActiveOwner(owner, width, height);
        created = list.Create(WS_CHILD | WS_VISIBLE | listStyle, Rect(0, 0, width, height), &owner,
                              256) != FALSE;
        images.Create(16, 16, ILC_COLOR24, 0, 1);
        list.SetImageList(&images, LVSIL_SMALL);
        QApplication::processEvents();
    }
    ~ListFixture() { owner.DestroyWindow(); }

    // Columns of the given widths, titled "c0", "c1", ...
    void Columns(const std::vector<int>& widths) {
        for (std::size_t i = 0; i < widths.size(); ++i)
            list.InsertColumn(static_cast<int>(i), Cat("c", std::to_string(i)).c_str(), LVCFMT_LEFT,
                              widths[i]);
    }
    // Rows "r0".."r<n-1>" with sub-item texts "r<i>.<c>", indent given by indentOf.
    void Rows(
        int count, const std::function<int(int)>& indentOf = [](int) { return 1; }) {
        for (int r = 0; r < count; ++r) {
            LVITEM item;
            item.mask = LVIF_TEXT | LVIF_INDENT | LVIF_PARAM;
            item.iItem = r;
            const std::string text = Cat("r", std::to_string(r));
            item.pszText = const_cast<char*>(text.c_str());
            item.iIndent = indentOf(r);
            item.lParam = 1000 + r;
            list.InsertItem(&item);
            for (int c = 1; c < list.GetHeaderCtrl()->GetItemCount(); ++c)
                list.SetItemText(r, c, Cat(text, ".", std::to_string(c)).c_str());
        }
        QApplication::processEvents();
    }
    int HeaderHeight() const {
        Rect r;
        list.GetHeaderCtrl()->GetWindowRect(&r);
        return r.Height();
    }
    QWidget* Client() const { return list.GetClientWidget(); }
    void Forget() {
        log.clear();
        owner.notices.clear();
        list.drawn.clear();
        list.drawnStates.clear();
    }

    Log log;
    ListOwner owner;
    TestList list;
    ImageList images;
    bool active = false;
    bool created = false;
};

} // namespace platform_test
