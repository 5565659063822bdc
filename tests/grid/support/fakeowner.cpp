#include "fakeowner.h"

#include "activeowner.h"

#include <QTest>
#include <QWidget>

#include <cstring>

using namespace platform;

namespace grid_test {

FakeOwner::FakeOwner(int width, int height) {
    m_active = CreateActiveOwner(*this, width, height);
}

FakeOwner::~FakeOwner() {
    DestroyWindow();
}

std::vector<OwnerRecord> FakeOwner::RecordsOf(int code) const {
    std::vector<OwnerRecord> found;
    for (const OwnerRecord& r : m_records)
        if (r.code == code) found.push_back(r);
    return found;
}

void FakeOwner::OnSysColorChange() {
    Window::OnSysColorChange();
    for (QWidget* child : GetWidget()->findChildren<QWidget*>()) {
        Window* window = Window::FromWidget(child);
        if (window && window->GetParent() == this) window->SendMessage(WM_SYSCOLORCHANGE);
    }
}

BOOL FakeOwner::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (Window::OnNotify(wParam, lParam, result)) return TRUE;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    OwnerRecord record;
    record.code = static_cast<int>(header->code);
    record.id = static_cast<int>(header->idFrom);
    // An in-place editor (control id 8) ends with an NMGRIDITEM; the grid's
    // own end-of-edit notice is a plain cell record.
    constexpr UINT_PTR kEditorId = 8;
    if (header->code == LVN_GETDISPINFO ||
        (header->code == LVN_ENDLABELEDIT && header->idFrom == kEditorId)) {
        auto* item = reinterpret_cast<NMGRIDITEM*>(lParam);
        record.row = item->item.row;
        record.col = item->item.col;
        record.lParam = item->item.lParam;
        if (header->code == LVN_GETDISPINFO) {
            const auto found = display.find({item->item.row, item->item.col});
            if (found != display.end()) {
                item->item.strText = found->second.text;
                if (found->second.setImage) item->item.iImage = found->second.image;
                if (found->second.unterminatedFace)
                    std::memset(item->item.lfFont.lfFaceName, 'A', LF_FACESIZE);
            }
        }
        record.text = item->item.strText;
    } else if (header->code == LVN_ODCACHEHINT) {
        record.range = reinterpret_cast<NMGRIDCACHEHINT*>(lParam)->range;
    } else {
        const auto* cell = reinterpret_cast<NMGRIDCELL*>(lParam);
        record.row = cell->iRow;
        record.col = cell->iColumn;
    }
    m_records.push_back(record);
    if (answerFor) {
        *result = answerFor(record);
        return TRUE;
    }
    const auto answer = answers.find(record.code);
    *result = answer == answers.end() ? 0 : answer->second;
    return TRUE;
}

} // namespace grid_test
