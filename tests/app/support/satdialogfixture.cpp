#include "satdialogfixture.h"

#include "dbstate.h"
#include "tpeditlist.h"
#include "tptable.h"
#include "wrapper.h"

#include <QTest>

#include <cstring>

namespace satdialog_test {

using namespace platform;

void SatDialogTest::TearDown() {
    EXPECT_TRUE(unexpectedBoxes.Calls().empty())
        << unexpectedBoxes.Calls().front().text.toStdString();
    DialogBase::SetModalHook(nullptr);
    DB_CloseImage();
    DB_ResetAllState();
}

void SatDialogTest::Open(const ImageSpec& spec) {
    ASSERT_TRUE(BuildImage(spec));
    const std::vector<uint8_t> bytes(g_FlashImage, g_FlashImage + DB_IMAGE_SIZE);
    ResetLibraryKeepImage();
    ASSERT_EQ(DB_DocumentInit(), DBERR_OK);
    ASSERT_EQ(DB_OpenImage(bytes.data(), bytes.size()), DBERR_OK);
}

int SatDialogTest::RunDialog(const std::function<int()>& run,
                             const std::function<void(DialogBase&)>& steps) {
    bool ran = false;
    DialogBase::SetModalHook([&](DialogBase& dialog) {
        ran = true;
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.GetWidget()));
        steps(dialog);
        if (dialog.IsWindowVisible()) {
            ADD_FAILURE() << "the steps left the dialog open";
            dialog.EndDialog(IDABORT);
        }
    });
    const int result = run();
    DialogBase::SetModalHook(nullptr);
    EXPECT_TRUE(ran);
    return result;
}

Edit* EditOf(DialogBase& dialog, int id) {
    auto* edit = dialog.GetDlgItem<Edit>(id);
    EXPECT_NE(edit, nullptr) << "edit " << id;
    return edit;
}

ComboBox* ComboOf(DialogBase& dialog, int id) {
    auto* combo = dialog.GetDlgItem<ComboBox>(id);
    EXPECT_NE(combo, nullptr) << "list " << id;
    return combo;
}

void TypeInto(DialogBase& dialog, int id, const char* text) {
    Edit* edit = EditOf(dialog, id);
    if (!edit) return;
    edit->SetFocus();
    edit->SetSel(0, -1);
    QTest::keyClick(edit->GetWidget(), Qt::Key_Delete);
    QTest::keyClicks(edit->GetWidget(), text);
}

void Choose(DialogBase& dialog, int id, int index) {
    ComboBox* combo = ComboOf(dialog, id);
    if (!combo) return;
    combo->SetFocus();
    QTest::keyClick(combo->GetWidget(), Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo->GetWidget(), Qt::Key_Down);
    EXPECT_EQ(combo->GetCurSel(), index) << "list " << id;
}

void Click(DialogBase& dialog, int id) {
    Window* button = dialog.GetDlgItem(id);
    ASSERT_NE(button, nullptr) << "button " << id;
    QTest::mouseClick(button->GetWidget(), Qt::LeftButton);
}

void PressEscape(DialogBase& dialog) {
    Window* focus = Window::GetFocus();
    QTest::keyClick(focus ? focus->GetWidget() : dialog.GetWidget(), Qt::Key_Escape);
}

std::string SelectedText(DialogBase& dialog, int id) {
    ComboBox* combo = ComboOf(dialog, id);
    std::string text;
    if (combo && combo->GetCurSel() >= 0) combo->GetLBText(combo->GetCurSel(), text);
    return text;
}

std::vector<std::string> Entries(DialogBase& dialog, int id) {
    std::vector<std::string> entries;
    ComboBox* combo = ComboOf(dialog, id);
    for (int i = 0; combo && i < combo->GetCount(); ++i) {
        std::string text;
        combo->GetLBText(i, text);
        entries.push_back(text);
    }
    return entries;
}

SatInfo StoredSat(uint32_t slot) {
    SatInfo sat{};
    SN_GetSatInfo(slot, &sat);
    return sat;
}

std::vector<TpRow> EditRows() {
    std::vector<TpRow> rows;
    uint16_t count = 0;
    EXPECT_EQ(INT_SLM_GetNumTps(&count), DBERR_OK);
    for (uint32_t n = 0; n < count; ++n) {
        TpRow row{};
        EXPECT_EQ(SLM_GetNthTp(n, &row), DBERR_OK);
        rows.push_back(row);
    }
    return rows;
}

std::vector<TpInfo> StoredTps(uint8_t satellite) {
    std::vector<TpInfo> tps;
    TpInfo tp{};
    for (uint32_t n = 0; TBL_GetNthTpInfo(n, &tp) == DBERR_OK; ++n)
        if (tp.satIndex == satellite) tps.push_back(tp);
    return tps;
}

} // namespace satdialog_test
