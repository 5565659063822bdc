#include "base/keys.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <set>

namespace platform {

namespace {

struct KeyPair {
    int qt;
    UINT vk;
};

// Keys whose virtual key does not follow from their character.
constexpr KeyPair kNamedKeys[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},        {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},     {Qt::Key_PageDown, VK_NEXT},   {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},        {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},      {Qt::Key_Down, VK_DOWN},       {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},    {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},        {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
};

// Main-keyboard punctuation: the key of a US keyboard that types it.
constexpr KeyPair kPunctuation[] = {
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
};

// The keypad's own keys, when Qt marks the press with KeypadModifier.
constexpr KeyPair kKeypad[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},       {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Slash, VK_DIVIDE},      {Qt::Key_Period, VK_DECIMAL}, {Qt::Key_Comma, VK_DECIMAL},
};

// The state the input events leave: modifiers and buttons of the latest
// event, and the other keys pressed and not yet released.
struct InputState {
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
    std::set<UINT> keysDown;
};

InputState& State() {
    static InputState state;
    return state;
}

} // namespace

UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        for (const KeyPair& k : kKeypad)
            if (k.qt == qtKey) return k.vk;
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return VK_NUMPAD0 + static_cast<UINT>(qtKey - Qt::Key_0);
    }
    for (const KeyPair& k : kNamedKeys)
        if (k.qt == qtKey) return k.vk;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return static_cast<UINT>(qtKey);
    for (const KeyPair& k : kPunctuation)
        if (k.qt == qtKey) return k.vk;
    return 0;
}

int QtKeyFromVirtualKey(UINT vk) {
    for (const KeyPair& k : kNamedKeys)
        if (k.vk == vk) return k.qt;
    for (const KeyPair& k : kKeypad)
        if (k.vk == vk) return k.qt;
    if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return Qt::Key_0 + static_cast<int>(vk - VK_NUMPAD0);
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return static_cast<int>(vk);
    for (const KeyPair& k : kPunctuation)
        if (k.vk == vk) return k.qt;
    return 0;
}

bool IsContextMenuKey(UINT vk, bool shift, bool ctrl, bool alt) {
    if (ctrl || alt) return false;
    return vk == VK_APPS || (vk == VK_F10 && shift);
}

bool IsKeypadVirtualKey(UINT vk) {
    return (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE);
}

UINT CharFromKeyEvent(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return '\t';
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Backspace:
        return '\b';
    default:
        break;
    }
    // Ctrl with a letter types its control code, whatever text Qt gives.
    const bool ctrl =
        (event->modifiers() & Qt::ControlModifier) && !(event->modifiers() & Qt::AltModifier);
    if (ctrl) {
        if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
            return static_cast<UINT>(event->key() - Qt::Key_A + 1);
        return 0;
    }
    const QString text = event->text();
    if (text.isEmpty()) return 0;
    const char16_t c = text.at(0).unicode();
    if (c == 0x7F) return 0;
    if (c < 0x20) return 0;
    return c <= 0xFF ? c : '?';
}

UINT CharFromVirtualKey(UINT vk, bool shift) {
    switch (vk) {
    case VK_TAB:
        return '\t';
    case VK_RETURN:
        return '\r';
    case VK_ESCAPE:
        return 0x1B;
    case VK_BACK:
        return '\b';
    case VK_SPACE:
        return ' ';
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DIVIDE:
        return '/';
    case VK_DECIMAL:
        return '.';
    default:
        break;
    }
    if (vk >= 'A' && vk <= 'Z') return shift ? vk : vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9') return vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return '0' + (vk - VK_NUMPAD0);
    return 0;
}

QString TextFromChar(UINT ch) {
    if (ch == 0) return QString();
    return QString(QChar(static_cast<char16_t>(ch & 0xFF)));
}

SHORT GetKeyState(int vk) {
    constexpr SHORT kDown = static_cast<SHORT>(0x8000);
    const InputState& s = State();
    bool down = false;
    switch (vk) {
    case VK_SHIFT:
        down = s.modifiers & Qt::ShiftModifier;
        break;
    case VK_CONTROL:
        down = s.modifiers & Qt::ControlModifier;
        break;
    case VK_MENU:
        down = s.modifiers & Qt::AltModifier;
        break;
    case VK_LBUTTON:
        down = s.buttons & Qt::LeftButton;
        break;
    case VK_RBUTTON:
        down = s.buttons & Qt::RightButton;
        break;
    case VK_MBUTTON:
        down = s.buttons & Qt::MiddleButton;
        break;
    default:
        down = s.keysDown.count(static_cast<UINT>(vk)) != 0;
        break;
    }
    return down ? kDown : 0;
}

void RecordInputState(const QEvent* event) {
    InputState& s = State();
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool press = event->type() == QEvent::KeyPress;
        s.modifiers = key->modifiers();
        // A modifier's own press or release may or may not carry its flag.
        const Qt::KeyboardModifier own = key->key() == Qt::Key_Shift     ? Qt::ShiftModifier
                                         : key->key() == Qt::Key_Control ? Qt::ControlModifier
                                         : key->key() == Qt::Key_Alt     ? Qt::AltModifier
                                                                         : Qt::NoModifier;
        if (own != Qt::NoModifier) s.modifiers.setFlag(own, press);
        const UINT vk = VirtualKeyFromQt(key->key(), key->modifiers());
        if (vk == 0) break;
        if (press)
            s.keysDown.insert(vk);
        else
            s.keysDown.erase(vk);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        s.modifiers = mouse->modifiers();
        s.buttons = mouse->buttons();
        break;
    }
    default:
        break;
    }
}

void ResetInputState() {
    State() = InputState();
}

} // namespace platform
