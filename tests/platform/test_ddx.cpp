// The data-exchange steps one by one, on the controls of a modeless dialog:
// number parsing and formatting, bytes bounded by their field, check boxes,
// the framework's texts and the out-of-memory road.
#include "base/frameworktext.h"
#include "dialogs/messagebox.h"
#include "test_dialog.h"

#include "qt_print.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <new>

namespace platform_test {
namespace {

class DdxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form.Create(133));
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.GetWidget()));
    }
    void TearDown() override { form.DestroyWindow(); }

    bool Save(const std::function<void(DataExchange*)>& steps) {
        return RunDataExchange(&form, true, steps);
    }
    bool Load(const std::function<void(DataExchange*)>& steps) {
        return RunDataExchange(&form, false, steps);
    }

    std::vector<std::string> log;
    NetworkDialog form{&log};
};

TEST_F(DdxTest, UnsignedNumbersAreAsciiDigitsWithBlanksAround) {
    struct Case {
        const char* typed;
        bool ok;
        std::uint32_t value;
    } cases[] = {
        {"0", true, 0},
        {"12000", true, 12000},
        {"  27500 ", true, 27500},
        {"\t42", true, 42},
        {"4294967295", true, 4294967295u},
        {"", false, 0},
        {"   ", false, 0},
        {"-5", false, 0},
        {"+5", false, 0},
        {"1e3", false, 0},
        {"12 34", false, 0},
        {"0x10", false, 0},
        {"4294967296", false, 0},
        {"99999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder boxes;
        form.EditOf(kFrequency)->SetWindowText(c.typed);
        std::uint32_t value = 77;
        EXPECT_EQ(Save([&](DataExchange* dx) { DDX_Text(dx, kFrequency, value); }), c.ok)
            << c.typed;
        EXPECT_EQ(value, c.ok ? c.value : 77u) << c.typed; // a failure keeps the member
        EXPECT_EQ(boxes.Texts(), c.ok ? std::vector<QString>{}
                                      : std::vector<QString>{"Please enter a positive integer."})
            << c.typed;
    }
    std::uint32_t largest = 4294967295u;
    ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Text(dx, kFrequency, largest); }));
    EXPECT_EQ(form.EditOf(kFrequency)->GetWindowText(), "4294967295");
}

TEST_F(DdxTest, FloatsAreReadAndShownInTheCLocale) {
    // The program's locale may use a decimal comma (Qt sets it from the
    // environment); the exchange must not follow it.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name)) break;

    struct Case {
        const char* typed;
        bool ok;
        float value;
    } cases[] = {
        {"19.2", true, 19.2f}, {" 180 ", true, 180.0f}, {"1e2", true, 100.0f},
        {"-0.5", true, -0.5f}, {"", false, 0},          {"19,2", false, 0},
        {"abc", false, 0},     {"12x", false, 0},       {"1e39", false, 0},
        {"nan", false, 0},     {"inf", false, 0},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder boxes;
        form.EditOf(kAngle)->SetWindowText(c.typed);
        float value = 7.0f;
        EXPECT_EQ(Save([&](DataExchange* dx) { DDX_Text(dx, kAngle, value); }), c.ok) << c.typed;
        EXPECT_EQ(value, c.ok ? c.value : 7.0f) << c.typed;
        EXPECT_EQ(boxes.Texts(),
                  c.ok ? std::vector<QString>{} : std::vector<QString>{"Please enter a number."})
            << c.typed;
    }

    struct Shown {
        float value;
        const char* text;
    } shown[] = {
        {19.2f, "19.2"},  {0.0f, "0"}, {180.0f, "180"}, {0.1f, "0.1"}, {1234567.0f, "1.23457e+06"},
        {-19.2f, "-19.2"}};
    for (const auto& s : shown) {
        float value = s.value;
        ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Text(dx, kAngle, value); }));
        EXPECT_EQ(form.EditOf(kAngle)->GetWindowText(), s.text);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST_F(DdxTest, FieldsAreBytesWithinTheirSize) {
    // A 16-byte name field without a terminator: nothing past it is shown.
    char record[20];
    std::memcpy(record, "ABCDEFGHIJKLMNOPxyz", 20);
    ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Text(dx, kName, record, 16); }));
    EXPECT_EQ(form.EditOf(kName)->GetWindowText(), "ABCDEFGHIJKLMNOP");

    // Written back: at most size - 1 bytes, zero-padded; nothing past the field.
    form.EditOf(kName)->SetWindowText("Caf\xE9 abc");
    ASSERT_TRUE(Save([&](DataExchange* dx) { DDX_Text(dx, kName, record, 8); }));
    EXPECT_EQ(std::memcmp(record, "Caf\xE9 ab\0", 8), 0);
    EXPECT_EQ(record[8], 'I');
    form.EditOf(kName)->SetWindowText("AB");
    ASSERT_TRUE(Save([&](DataExchange* dx) { DDX_Text(dx, kName, record, 8); }));
    EXPECT_EQ(std::memcmp(record, "AB\0\0\0\0\0\0I", 9), 0);
    // Latin-1 bytes reach the screen as their characters.
    EXPECT_EQ(form.EditOf(kName)->LineEdit()->text(), "AB");
    form.EditOf(kName)->SetWindowText("Caf\xE9");
    EXPECT_EQ(form.EditOf(kName)->LineEdit()->text(), QString::fromUtf8("Café"));
}

TEST_F(DdxTest, LengthLimitIsCheckedOnSaveAndPutOnTheEditOnLoad) {
    std::string name = "Hotbird";
    ASSERT_TRUE(Load([&](DataExchange* dx) {
        DDX_Text(dx, kName, name);
        DDV_MaxChars(dx, name, 15);
    }));
    EXPECT_EQ(form.EditOf(kName)->GetLimitText(), 15u);

    struct Case {
        const char* text;
        bool ok;
    } cases[] = {{"", true}, {"ABCDEFGHIJKLMNO", true}, {"ABCDEFGHIJKLMNOP", false}};
    for (const auto& c : cases) {
        MessageBoxRecorder boxes;
        form.EditOf(kName)->SetWindowText(c.text);
        EXPECT_EQ(Save([&](DataExchange* dx) {
                      DDX_Text(dx, kName, name);
                      DDV_MaxChars(dx, name, 15);
                  }),
                  c.ok)
            << c.text;
        EXPECT_EQ(boxes.Texts(),
                  c.ok ? std::vector<QString>{}
                       : std::vector<QString>{"Please enter no more than 15 characters."});
    }
}

TEST_F(DdxTest, CheckBoxesTakeTheirThreeStates) {
    Button* tone = form.ButtonOf(kTone);
    for (int value : {1, 0, 1}) {
        int v = value;
        ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Check(dx, kTone, v); }));
        EXPECT_EQ(tone->GetCheck(), value);
        int back = -1;
        ASSERT_TRUE(Save([&](DataExchange* dx) { DDX_Check(dx, kTone, back); }));
        EXPECT_EQ(back, value);
    }
    // A click toggles a two-state box; saving reads it.
    QTest::mouseClick(tone->GetWidget(), Qt::LeftButton, {},
                      QPoint(6, tone->GetWidget()->height() / 2));
    int back = -1;
    ASSERT_TRUE(Save([&](DataExchange* dx) { DDX_Check(dx, kTone, back); }));
    EXPECT_EQ(back, 0);

    // A three-state box keeps the third state.
    Button three;
    ASSERT_TRUE(
        three.Create("x", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, Rect(0, 0, 40, 20), &form, 2000));
    int indeterminate = BST_INDETERMINATE;
    ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Check(dx, 2000, indeterminate); }));
    back = -1;
    ASSERT_TRUE(Save([&](DataExchange* dx) { DDX_Check(dx, 2000, back); }));
    EXPECT_EQ(back, BST_INDETERMINATE);
}

TEST_F(DdxTest, RunningOutOfMemoryShowsItsMessage) {
    MessageBoxRecorder boxes;
    EXPECT_FALSE(Save([](DataExchange*) { throw std::bad_alloc(); }));
    ASSERT_EQ(boxes.Texts(), std::vector<QString>{"Out of memory."});
    EXPECT_EQ(boxes.Calls()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes.Calls()[0].caption, "Quorvandelix");
}

TEST(FrameworkTextTest, TheFrameworksMessages) {
    EXPECT_EQ(GetFrameworkText(FrameworkText::ParseUnsigned), "Please enter a positive integer.");
    EXPECT_EQ(GetFrameworkText(FrameworkText::ParseNumber), "Please enter a number.");
    EXPECT_EQ(GetFrameworkText(FrameworkText::NumberRange).arg("0", "180"),
              "Please enter a number between 0 and 180.");
    EXPECT_EQ(GetFrameworkText(FrameworkText::TooManyChars).arg(15),
              "Please enter no more than 15 characters.");
    EXPECT_EQ(GetFrameworkText(FrameworkText::OutOfMemory), "Out of memory.");
}

} // namespace
} // namespace platform_test
