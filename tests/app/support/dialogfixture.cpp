#include "dialogfixture.h"

#include "dbstate.h"
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
    uint8_t name[SVC_NAME_LEN] = {};
    SLM_GetServiceName(handle, name);
    const char* bytes = reinterpret_cast<const char*>(name);
    return std::string(bytes, strnlen(bytes, sizeof name));
}

std::vector<std::string> DialogFixture::NamesIn(SvcListId list, uint8_t type) {
    std::vector<std::string> names;
    uint16_t count = 0;
    SLM_GetNumServicesInList(list, kAnyNumber, type, &count);
    SvcHandle handle = SVC_HANDLE_INVALID;
    for (uint16_t i = 0; i < count; ++i) {
        if (SLM_GetNextServiceHandle(handle, list, kAnyNumber, type, i == 0 ? 0 : 1, &handle) !=
            DBERR_OK)
            break;
        names.push_back(NameOf(handle));
    }
    return names;
}

uint16_t DialogFixture::ServiceCount() {
    uint16_t count = 0;
    SLM_GetNumServicesInList(LIST_ALL, kAnyNumber, SVC_TYPE_ANY, &count);
    return count;
}

} // namespace app_test
