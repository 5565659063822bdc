#include "ddx.h"

#include "frameworktext.h"
#include "text.h"
#include "trace.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>

#include <cerrno>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace platform {

namespace {

// Text of the controls that data exchange binds to text; null gives "".
QString ControlText(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* t = qobject_cast<const QTextEdit*>(w)) return t->toPlainText();
    if (auto* p = qobject_cast<const QPlainTextEdit*>(w)) return p->toPlainText();
    return w ? w->windowTitle() : QString();
}

void SetControlText(QWidget* w, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* c = qobject_cast<QComboBox*>(w))
        c->setEditText(text);
    else if (auto* t = qobject_cast<QTextEdit*>(w))
        t->setPlainText(text);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->setPlainText(text);
    else if (w)
        w->setWindowTitle(text);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The C locale for number conversions, made once.
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

// Blanks, ASCII digits, blanks; no sign; at most 4294967295.
bool ParseUnsigned(const std::string& text, std::uint32_t* out) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const std::size_t first = i;
    std::uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 0xFFFFFFFFu) return false;
        ++i;
    }
    if (i == first) return false;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i != text.size()) return false;
    *out = static_cast<std::uint32_t>(value);
    return true;
}

// strtod in the C locale over the whole text (trailing blanks allowed); the
// result must be a finite float.
bool ParseFloat(const std::string& text, float* out) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const locale_t previous = uselocale(CLocale());
    const double value = std::strtod(begin, &end);
    uselocale(previous);
    if (end == begin) return false;
    while (IsBlank(*end))
        ++end;
    if (*end != '\0' || static_cast<std::size_t>(end - begin) != text.size()) return false;
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) return false;
    *out = static_cast<float>(value);
    return true;
}

} // namespace

QString FormatFloat(double value) {
    char buffer[64];
    const locale_t previous = uselocale(CLocale());
    std::snprintf(buffer, sizeof buffer, "%.*g", FLT_DIG, value);
    uselocale(previous);
    return QString::fromLatin1(buffer);
}

void DDX_Text(DataExchange* pDX, int id, std::string& value) {
    if (pDX->Failed()) return;
    QWidget* control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = ToLatin1(ControlText(control));
    else
        SetControlText(control, FromLatin1(value));
}

void DDX_Text(DataExchange* pDX, int id, char* field, std::size_t fieldSize) {
    if (pDX->Failed() || !field || fieldSize == 0) return;
    QWidget* control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        ToLatin1Field(ControlText(control), field, fieldSize);
    else
        SetControlText(control, FromLatin1Field(field, fieldSize));
}

void DDX_Text(DataExchange* pDX, int id, std::uint32_t& value) {
    if (pDX->Failed()) return;
    QWidget* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetControlText(control, QString::number(value));
        return;
    }
    std::uint32_t parsed = 0;
    if (!ParseUnsigned(ToLatin1(ControlText(control)), &parsed))
        return pDX->Fail(GetFrameworkText(FrameworkText::ParseUnsigned));
    value = parsed;
}

void DDX_Text(DataExchange* pDX, int id, float& value) {
    if (pDX->Failed()) return;
    QWidget* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetControlText(control, FormatFloat(value));
        return;
    }
    float parsed = 0;
    if (!ParseFloat(ToLatin1(ControlText(control)), &parsed))
        return pDX->Fail(GetFrameworkText(FrameworkText::ParseNumber));
    value = parsed;
}

void DDX_Check(DataExchange* pDX, int id, int& value) {
    if (pDX->Failed()) return;
    auto* button = qobject_cast<QAbstractButton*>(pDX->PrepareCtrl(id));
    if (!button) return;
    auto* box = qobject_cast<QCheckBox*>(button);
    if (pDX->m_bSaveAndValidate) {
        value = box ? static_cast<int>(box->checkState() == Qt::PartiallyChecked ? 2
                                       : box->isChecked()                        ? 1
                                                                                 : 0)
                    : (button->isChecked() ? 1 : 0);
        return;
    }
    int shown = value;
    if (shown < 0 || shown > 2) {
        TRACE("Data exchange: check box value %d out of range, shown unchecked", value);
        shown = 0;
    }
    // Qt shows the third state only on a tristate box; a two-state box made
    // tristate for it becomes two-state again with the next 0 or 1, so a click
    // keeps going between checked and unchecked.
    constexpr const char* kMadeTristate = "platformMadeTristate";
    if (box && shown == 2) {
        if (!box->isTristate()) box->setProperty(kMadeTristate, true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    if (box && box->property(kMadeTristate).toBool()) {
        box->setTristate(false);
        box->setProperty(kMadeTristate, false);
    }
    button->setChecked(shown == 1);
}

void DDV_MaxChars(DataExchange* pDX, const std::string& value, int count) {
    if (pDX->Failed()) return;
    if (!pDX->m_bSaveAndValidate) {
        if (auto* edit = qobject_cast<QLineEdit*>(pDX->LastControl())) edit->setMaxLength(count);
        return;
    }
    if (static_cast<long long>(value.size()) > count)
        pDX->Fail(GetFrameworkText(FrameworkText::TooManyChars).arg(count));
}

void DDV_MinMaxFloat(DataExchange* pDX, float value, float minVal, float maxVal) {
    if (pDX->Failed()) return;
    if (value >= minVal && value <= maxVal) return;
    if (!pDX->m_bSaveAndValidate) {
        TRACE("Data exchange: initial value %g outside %g..%g", static_cast<double>(value),
              static_cast<double>(minVal), static_cast<double>(maxVal));
        return;
    }
    pDX->Fail(
        GetFrameworkText(FrameworkText::NumberRange).arg(FormatFloat(minVal), FormatFloat(maxVal)));
}

} // namespace platform
