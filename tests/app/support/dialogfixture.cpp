#include "dialogfixture.h"

#include "dbstate.h"
#include "servicewalk.h"
#include "wrapper.h"

#include "base/trace.h"

#include <QWidget>

#include <cstring>

namespace app_test {

using namespace platform;

namespace {

constexpr uint16_t kAnyNumber = 0x3FFF;

} // namespace

void DialogFixture::SetUp() {
    DB_ResetAllState();
    ASSERT_EQ(DB_DocumentInit(), DBERR_OK);
    TakeTraces();
}

void DialogFixture::TearDown() {
    DialogBase::SetModalHook(nullptr);
    DB_CloseImage();
    DB_ResetAllState();
}

Image DialogFixture::Built(const ImageSpec& spec) {
    EXPECT_TRUE(BuildImage(spec));
    return FlashImage();
}

void DialogFixture::Open(const Image& image) {
    DB_CloseImage();
    ASSERT_EQ(DB_OpenImage(image.data(), image.size()), DBERR_OK);
}

Image DialogFixture::FlashImage() {
    return Image(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
}

int DialogFixture::RunModal(const std::function<int()>& doModal,
                            const std::function<void(DialogBase&)>& steps) {
    DialogBase::SetModalHook([&](DialogBase& shown) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(shown.GetWidget()));
        steps(shown);
    });
    const int result = doModal();
    DialogBase::SetModalHook(nullptr);
    return result;
}

void DialogFixture::Click(Window* control) {
    ASSERT_NE(control, nullptr);
    QWidget* widget = control->GetWidget();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void DialogFixture::Type(Edit* edit, const std::string& text) {
    ASSERT_NE(edit, nullptr);
    edit->SetFocus();
    edit->SetSel(0, -1);
    QTest::keyClick(edit->GetWidget(), Qt::Key_Delete);
    QTest::keyClicks(edit->GetWidget(), QString::fromLatin1(text.c_str()));
}

// Clicks the middle of the row's first column.
void DialogFixture::ClickRow(ListControl& list, int row, Qt::KeyboardModifiers modifiers) {
    Rect rect;
    ASSERT_TRUE(list.GetItemRect(row, &rect, LVIR_LABEL)) << "row " << row;
    QTest::mouseClick(list.GetClientWidget(), Qt::LeftButton, modifiers,
                      QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
}

void DialogFixture::PressKey(Window* control, Qt::Key key) {
    ASSERT_NE(control, nullptr);
    control->SetFocus();
    QTest::keyClick(control->GetWidget(), key);
}

std::string DialogFixture::NameOf(SvcHandle handle) {
    return ServiceName(handle);
}

std::vector<std::string> DialogFixture::NamesIn(SvcListId list, uint8_t type) {
    std::vector<std::string> names;
    for (SvcHandle handle : ServicesIn(list, type))
        names.push_back(ServiceName(handle));
    return names;
}

uint16_t DialogFixture::ServiceCount() {
    uint16_t count = 0;
    SLM_GetNumServicesInList(LIST_ALL, kAnyNumber, SVC_TYPE_ANY, &count);
    return count;
}

} // namespace app_test
