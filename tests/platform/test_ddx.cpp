#include "controlid.h"
#include "ddx.h"
#include "frameworktext.h"
#include "messagebox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "qt_print.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

using namespace platform;

namespace {

// A form with two edits, a check box and a label, shown and active, so that
// a failed step can take the focus.
class DdxFixture : public ::testing::Test {
  protected:
    enum { kEdit = 1004, kOther = 1018, kCheck = 1011, kLabel = 1003 };

    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_form);
        m_edit = new QLineEdit(&m_form);
        m_other = new QLineEdit(&m_form);
        m_check = new QCheckBox("TV", &m_form);
        m_label = new QLabel(&m_form);
        for (auto [w, id] : {std::pair<QWidget*, int>{m_edit, kEdit},
                             {m_other, kOther},
                             {m_check, kCheck},
                             {m_label, kLabel}}) {
            layout->addWidget(w);
            SetControlId(w, id);
        }
        m_form.show();
        m_form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_form));
        m_other->setFocus();
    }

    // Types text into the edit as a user would: select all, then the keys.
    void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        for (QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(edit, static_cast<char>(c.unicode()));
                continue;
            }
            // Keys QTest cannot name: a key event that carries the character.
            QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        m_other->setFocus();
    }

    bool Save(const std::function<void(DataExchange*)>& steps) {
        return RunDataExchange(&m_form, true, steps);
    }
    bool Load(const std::function<void(DataExchange*)>& steps) {
        return RunDataExchange(&m_form, false, steps);
    }

    QWidget m_form;
    QLineEdit* m_edit = nullptr;
    QLineEdit* m_other = nullptr;
    QCheckBox* m_check = nullptr;
    QLabel* m_label = nullptr;
};

TEST_F(DdxFixture, UnsignedNumbersAcceptDigitsWithBlanksOnly) {
    struct Case {
        const char* typed;
        bool ok;
        std::uint32_t value;
    } cases[] = {
        {"0", true, 0},
        {"12000", true, 12000},
        {"  27500 ", true, 27500},
        {"4294967295", true, 4294967295u},
        {"", false, 0},
        {"-5", false, 0},
        {"1e3", false, 0},
        {"4294967296", false, 0},
        {"+5", false, 0},
        {"12 34", false, 0},
        {"99999999999999999999", false, 0},
        {"0x10", false, 0},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder boxes;
        Type(m_edit, c.typed);
        std::uint32_t value = 77;
        EXPECT_EQ(Save([&](DataExchange* dx) { DDX_Text(dx, kEdit, value); }), c.ok) << c.typed;
        EXPECT_EQ(value, c.ok ? c.value : 77u) << c.typed; // a failure keeps the member
        if (c.ok) {
            EXPECT_TRUE(boxes.Calls().empty()) << c.typed;
            continue;
        }
        ASSERT_EQ(boxes.Calls().size(), 1u) << c.typed;
        EXPECT_EQ(boxes.Calls()[0].text, "Please enter a positive integer.");
        EXPECT_EQ(boxes.Calls()[0].caption, "Quorvandelix");
        EXPECT_EQ(boxes.Calls()[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(m_edit->hasFocus()) << c.typed;
        EXPECT_EQ(m_edit->selectedText(), m_edit->text()) << c.typed;
    }
}

TEST_F(DdxFixture, FloatsAreReadInTheCLocaleAndShownWithSixDigits) {
    // The program's locale may use a decimal comma; the exchange must not.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    // Whichever decimal-comma locale the machine has (none: the C locale).
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
        Type(m_edit, c.typed);
        float value = 7.0f;
        EXPECT_EQ(Save([&](DataExchange* dx) { DDX_Text(dx, kEdit, value); }), c.ok) << c.typed;
        EXPECT_EQ(value, c.ok ? c.value : 7.0f) << c.typed;
        if (!c.ok) {
            ASSERT_EQ(boxes.Calls().size(), 1u) << c.typed;
            EXPECT_EQ(boxes.Calls()[0].text, "Please enter a number.");
        }
    }

    struct Shown {
        float value;
        const char* text;
    } shown[] = {
        {19.2f, "19.2"}, {0.0f, "0"}, {180.0f, "180"}, {1234567.0f, "1.23457e+06"}, {0.1f, "0.1"}};
    for (const auto& s : shown) {
        float value = s.value;
        ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Text(dx, kEdit, value); }));
        EXPECT_EQ(m_edit->text(), s.text);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST_F(DdxFixture, RangeAndLengthChecksNameTheirLimits) {
    struct Case {
        const char* name;
        const char* typedName;
        const char* typedAngle;
        bool ok;
        const char* message;
        QLineEdit* focused;
    } cases[] = {
        {"both fine", "ASTRA 19.2E", "19.2", true, nullptr, nullptr},
        {"15 bytes fit", "ABCDEFGHIJKLMNO", "180", true, nullptr, nullptr},
        {"16 bytes", "ABCDEFGHIJKLMNOP", "0", false, "Please enter no more than 15 characters.",
         m_edit},
        {"angle too big", "Hotbird", "200", false, "Please enter a number between 0 and 180.",
         m_other},
        {"angle below", "Hotbird", "-0.1", false, "Please enter a number between 0 and 180.",
         m_other},
        {"first failure only", "ABCDEFGHIJKLMNOP", "200", false,
         "Please enter no more than 15 characters.", m_edit},
    };
    for (const auto& c : cases) {
        // Loading first lifts the limit the previous case's load put on the edit.
        m_edit->setMaxLength(32767);
        MessageBoxRecorder boxes;
        Type(m_edit, c.typedName);
        Type(m_other, c.typedAngle);
        std::string name;
        float angle = 0;
        const bool ok = Save([&](DataExchange* dx) {
            DDX_Text(dx, kEdit, name);
            DDV_MaxChars(dx, name, 15);
            DDX_Text(dx, kOther, angle);
            DDV_MinMaxFloat(dx, angle, 0.0f, 180.0f);
        });
        EXPECT_EQ(ok, c.ok) << c.name;
        if (c.ok) {
            EXPECT_TRUE(boxes.Calls().empty()) << c.name;
            continue;
        }
        ASSERT_EQ(boxes.Calls().size(), 1u) << c.name;
        EXPECT_EQ(boxes.Calls()[0].text, c.message) << c.name;
        EXPECT_TRUE(c.focused->hasFocus()) << c.name;
    }
}

TEST_F(DdxFixture, LoadingALengthLimitLimitsTheEdit) {
    std::string name = "Hotbird";
    ASSERT_TRUE(Load([&](DataExchange* dx) {
        DDX_Text(dx, kEdit, name);
        DDV_MaxChars(dx, name, 15);
    }));
    EXPECT_EQ(m_edit->text(), "Hotbird");
    Type(m_edit, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(m_edit->text(), "ABCDEFGHIJKLMNO");
}

TEST_F(DdxFixture, TextIsBytesBoundedByItsField) {
    // A 16-byte name field without a terminator: nothing past it is shown.
    char record[20];
    std::memcpy(record, "ABCDEFGHIJKLMNOPxyz", 20);
    ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Text(dx, kEdit, record, 16); }));
    EXPECT_EQ(m_edit->text(), "ABCDEFGHIJKLMNOP");

    Type(m_edit, QString::fromUtf8("Caf\u00e9 \u20ac"));
    ASSERT_TRUE(Save([&](DataExchange* dx) { DDX_Text(dx, kEdit, record, 8); }));
    EXPECT_EQ(std::memcmp(record, "Caf\xE9 ?\0\0", 8), 0);
    EXPECT_EQ(record[8], 'I'); // the bytes past the field are untouched

    std::string info = "list.cdl  655581 Bytes";
    ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Text(dx, kLabel, info); }));
    EXPECT_EQ(m_label->text(), "list.cdl  655581 Bytes");
}

TEST_F(DdxFixture, CheckBoxesTakeZeroOneAndTwo) {
    for (int value : {0, 1, 2, 0}) {
        int v = value;
        ASSERT_TRUE(Load([&](DataExchange* dx) { DDX_Check(dx, kCheck, v); }));
        int back = -1;
        ASSERT_TRUE(Save([&](DataExchange* dx) { DDX_Check(dx, kCheck, back); }));
        EXPECT_EQ(back, value);
    }
    // A click checks it; saving reads 1.
    QTest::mouseClick(m_check, Qt::LeftButton, {}, QPoint(5, m_check->height() / 2));
    int back = -1;
    ASSERT_TRUE(Save([&](DataExchange* dx) { DDX_Check(dx, kCheck, back); }));
    EXPECT_EQ(back, 1);
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

TEST_F(DdxFixture, RunningOutOfMemoryFailsWithItsMessage) {
    MessageBoxRecorder boxes;
    EXPECT_FALSE(Save([](DataExchange*) { throw std::bad_alloc(); }));
    ASSERT_EQ(boxes.Texts(), std::vector<QString>{"Out of memory."});
    EXPECT_EQ(boxes.Calls()[0].icon, QMessageBox::Warning);
}

} // namespace
