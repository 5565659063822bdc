#include "dialogs/ddx.h"

#include "controls/button.h"
#include "controls/edit.h"
#include "base/frameworktext.h"
#include "base/trace.h"
#include "window/window.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace platform {

namespace {

// Text of a control as bytes; no control gives "".
std::string ControlText(const Window* control) {
    return control ? control->GetWindowText() : std::string();
}

void SetControlText(Window* control, const std::string& text) {
    if (control) control->SetWindowText(text.c_str());
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

void DDX_Control(DataExchange* pDX, int id, Window& control) {
    if (pDX->Failed()) return;
    // A member without a window takes over the template's control.
    if (!control.IsWindow() && !control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd))
        TRACE("Data exchange: no control %d to bind", id);
    const bool bound =
        control.IsWindow() && control.GetParent() == pDX->m_pDlgWnd && control.GetDlgCtrlID() == id;
    if (!bound) TRACE("Data exchange: control %d is not the dialog's own", id);
    ASSERT(bound);
}

void DDX_Text(DataExchange* pDX, int id, std::string& value) {
    if (pDX->Failed()) return;
    Window* control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(control);
    else
        SetControlText(control, value);
}

void DDX_Text(DataExchange* pDX, int id, char* field, std::size_t fieldSize) {
    if (pDX->Failed() || !field || fieldSize == 0) return;
    Window* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetControlText(control, std::string(field, strnlen(field, fieldSize)));
        return;
    }
    const std::string text = ControlText(control);
    const std::size_t n = std::min(text.size(), fieldSize - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, fieldSize - n);
}

void DDX_Text(DataExchange* pDX, int id, std::uint32_t& value) {
    if (pDX->Failed()) return;
    Window* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetControlText(control, std::to_string(value));
        return;
    }
    std::uint32_t parsed = 0;
    if (!ParseUnsigned(ControlText(control), &parsed))
        return pDX->Fail(GetFrameworkText(FrameworkText::ParseUnsigned));
    value = parsed;
}

void DDX_Text(DataExchange* pDX, int id, float& value) {
    if (pDX->Failed()) return;
    Window* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetControlText(control, FormatFloat(value).toStdString());
        return;
    }
    float parsed = 0;
    if (!ParseFloat(ControlText(control), &parsed))
        return pDX->Fail(GetFrameworkText(FrameworkText::ParseNumber));
    value = parsed;
}

void DDX_Check(DataExchange* pDX, int id, int& value) {
    if (pDX->Failed()) return;
    auto* button = dynamic_cast<Button*>(pDX->PrepareCtrl(id));
    if (!button) return;
    if (pDX->m_bSaveAndValidate) {
        value = button->GetCheck();
        return;
    }
    if (value < BST_UNCHECKED || value > BST_INDETERMINATE)
        TRACE("Data exchange: check box value %d out of range", value);
    button->SetCheck(value);
}

void DDV_MaxChars(DataExchange* pDX, const std::string& value, int count) {
    if (pDX->Failed()) return;
    if (!pDX->m_bSaveAndValidate) {
        if (auto* edit = dynamic_cast<Edit*>(pDX->LastControl())) edit->LimitText(count);
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
