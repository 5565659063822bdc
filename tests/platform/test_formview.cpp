// A form view: its template's controls at their places in dialog units, the
// colours each kind of control asks its form for, the form's background, a
// click reaching the command table and the data exchange in both directions.
#include "dialogs/formview.h"

#include "draw/brush.h"
#include "controls/button.h"
#include "base/colors.h"
#include "controls/combobox.h"
#include "draw/dc.h"
#include "dialogs/ddx.h"
#include "dialogs/dialogunits.h"
#include "controls/statictext.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

namespace {

using namespace platform;

constexpr UINT kLabel = 10, kPush = 11, kRadio = 12, kCheck = 13, kCombo = 14;
constexpr COLORREF kFormBack = RGB(10, 20, 30);
constexpr COLORREF kLabelBack = RGB(200, 0, 0);
constexpr COLORREF kLabelText = RGB(0, 0, 200);

const DialogTemplate& Form() {
    static const DialogTemplate form{
        1,
        "",
        200,
        100,
        0,
        0,
        0,
        {
            {DialogItemClass::Static, "label", kLabel, 10, 10, 60, 10, WS_VISIBLE},
            {DialogItemClass::Button, "push", kPush, 10, 30, 40, 14, BS_PUSHBUTTON | WS_VISIBLE},
            {DialogItemClass::Button, "radio", kRadio, 60, 30, 40, 10,
             BS_AUTORADIOBUTTON | WS_VISIBLE},
            {DialogItemClass::Button, "check", kCheck, 110, 30, 40, 10,
             BS_AUTOCHECKBOX | WS_VISIBLE},
            {DialogItemClass::ComboBox, "", kCombo, 10, 50, 60, 40, CBS_DROPDOWNLIST | WS_VISIBLE},
        },
    };
    return form;
}

// A form that records what each control asks for and colours the form and
// the label; other controls get no brush.
class TestForm : public FormView {
  public:
    TestForm() : FormView(Form()) {
        MapCommand(kPush, [this] { ++pushes; });
    }

    std::map<UINT, UINT> asked; // control id -> nCtlColor
    int pushes = 0;
    int check = 0;
    std::string label;

  protected:
    void DoDataExchange(DataExchange* pDX) override {
        DDX_Check(pDX, kCheck, check);
        DDX_Text(pDX, kLabel, label);
    }
    Brush* OnCtlColor(Dc* pDC, Window* pWnd, UINT nCtlColor) override {
        if (pWnd == this) {
            m_brush.CreateSolidBrush(kFormBack);
            return &m_brush;
        }
        asked[static_cast<UINT>(pWnd->GetDlgCtrlID())] = nCtlColor;
        const int id = pWnd->GetDlgCtrlID();
        if (id != static_cast<int>(kLabel) && id != static_cast<int>(kRadio)) return nullptr;
        pDC->SetTextColor(kLabelText);
        if (!m_labelBrush.GetSafeHandle()) m_labelBrush.CreateSolidBrush(kLabelBack);
        return &m_labelBrush;
    }

  private:
    Brush m_brush;
    Brush m_labelBrush;
};

class FormViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form.Create(nullptr, 0));
        QWidget* widget = form.GetWidget();
        widget->show();
        widget->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(widget));
    }
    TestForm form;
};

TEST_F(FormViewTest, ControlsStandAtTheirTemplatePlaces) {
    const QFont font = form.GetWidget()->font();
    for (const DialogItemTemplate& item : Form().items) {
        SCOPED_TRACE(item.id);
        Window* control = form.GetDlgItem(static_cast<int>(item.id));
        ASSERT_NE(control, nullptr);
        const Rect place =
            DialogUnitsToPixels(font, Rect(item.x, item.y, item.x + item.cx, item.y + item.cy));
        const QRect geometry = control->GetWidget()->geometry();
        EXPECT_EQ(geometry.left(), place.left);
        EXPECT_EQ(geometry.top(), place.top);
        EXPECT_EQ(geometry.width(), place.Width());
    }
    EXPECT_EQ(form.GetWidget()->size(),
              QSize(form.GetTemplateSize().cx, form.GetTemplateSize().cy));
}

TEST_F(FormViewTest, EachKindOfControlAsksForItsColours) {
    // Push buttons draw their own face and are not asked.
    const std::map<UINT, UINT> expected = {{kLabel, CTLCOLOR_STATIC},
                                           {kRadio, CTLCOLOR_STATIC},
                                           {kCheck, CTLCOLOR_STATIC},
                                           {kCombo, CTLCOLOR_LISTBOX}};
    EXPECT_EQ(form.asked, expected);
}

TEST_F(FormViewTest, TheAnswersShowOnTheFormAndTheLabel) {
    const QImage image = form.GetWidget()->grab().toImage();
    const QRect label = form.GetDlgItem(kLabel)->GetWidget()->geometry();
    EXPECT_EQ(FromQColor(image.pixelColor(1, 1)), kFormBack);
    EXPECT_EQ(FromQColor(image.pixelColor(label.topLeft())), kLabelBack);
    int textPixels = 0;
    for (int y = label.top(); y <= label.bottom(); ++y)
        for (int x = label.left(); x <= label.right(); ++x)
            textPixels += FromQColor(image.pixelColor(x, y)) == kLabelText;
    EXPECT_GT(textPixels, 0);
}

TEST_F(FormViewTest, AClickRunsTheCommandAndDataMovesBothWays) {
    QTest::mouseClick(form.GetDlgItem(kPush)->GetWidget(), Qt::LeftButton);
    EXPECT_EQ(form.pushes, 1);

    form.check = 1;
    form.label = "shown";
    ASSERT_TRUE(form.UpdateData(FALSE));
    EXPECT_EQ(form.GetDlgItem(kLabel)->GetWindowText(), "shown");
    QTest::mouseClick(form.GetDlgItem(kCheck)->GetWidget(), Qt::LeftButton);
    ASSERT_TRUE(form.UpdateData(TRUE));
    EXPECT_EQ(form.check, 0);
}

} // namespace

TEST_F(FormViewTest, ARadioButtonShowsItsLabelColourAndKeepsAWhiteIndicator) {
    QWidget* radio = form.GetDlgItem(kRadio)->GetWidget();
    const QImage image = radio->grab().toImage();
    // Past the caption, at the right edge, only the label's background shows.
    EXPECT_EQ(FromQColor(image.pixelColor(radio->width() - 2, radio->height() / 2)), kLabelBack);
    QStyleOptionButton option;
    option.initFrom(radio);
    const QRect indicator = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator,
                                                           &option, radio);
    EXPECT_EQ(FromQColor(image.pixelColor(indicator.center())), RGB(255, 255, 255));
}
