#include "draw/dctext.h"

#include "draw/dcimpl.h"

#include <QStringList>

#include <algorithm>

namespace platform {

namespace {

// Tab stops without positions: every kTabAverageWidths average character widths.
constexpr int kTabAverageWidths = 8;

// "&&" shows one ampersand, "&x" shows x underlined; a last lone "&" shows nothing.
QString StripPrefix(const QString& text, int* underline) {
    QString out;
    *underline = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            out += text[i];
            continue;
        }
        if (++i >= text.size()) break;
        if (text[i] != QLatin1Char('&') && *underline < 0)
            *underline = static_cast<int>(out.size());
        out += text[i];
    }
    return out;
}

QStringList SplitLines(const QString& text) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return unified.split(QLatin1Char('\n'));
}

} // namespace

DcText::DcText(Dc& dc)
    : d_(*dc.d_), measure_(TextMeasure::For(d_.st.qfont, d_.device)), fm_(measure_->Metrics()) {}

int DcText::Width(const QString& text) const {
    return measure_->Width(text);
}

Size DcText::Extent(const QString& text) const {
    return Size(Width(text), fm_.ascent() + fm_.descent());
}

TextMetrics DcText::Metrics() const {
    return measure_->Text();
}

void DcText::Out(int x, int y, const QString& text, int underline, const Rect* clip, bool opaque) {
    const DcState& st = d_.st;
    int width = Width(text);
    int height = fm_.ascent() + fm_.descent();
    if (opaque && st.bkMode == OPAQUE && width > 0 && st.escapement == 0) {
        Rect cell(x, y, x + width, y + height);
        if (clip) cell.IntersectRect(cell, *clip);
        d_.Fill(cell, ToQColor(st.bkColor));
    }
    if (text.isEmpty() || !d_.Prepare(clip)) return;
    QPainter* p = d_.painter;
    p->setFont(st.qfont);
    p->setPen(ToQColor(st.textColor));
    p->translate(x, y);
    // Escapement turns the text counter-clockwise about its start.
    if (st.escapement != 0) p->rotate(-st.escapement / 10.0);
    p->drawText(QPointF(0, fm_.ascent()), text);
    if (underline >= 0 && underline < text.size()) {
        int from = Width(text.left(underline));
        int w = Width(QString(text[underline]));
        p->fillRect(
            QRectF(from, fm_.ascent() + fm_.underlinePos(), w, std::max(1, fm_.lineWidth())),
            ToQColor(st.textColor));
    }
}

Size DcText::Tabbed(int x, int y, const QString& text, int nTabPositions, const int* tabPositions,
                    int tabOrigin, bool draw) {
    const int height = fm_.ascent() + fm_.descent();
    int spacing = kTabAverageWidths * fm_.averageCharWidth();
    if (nTabPositions == 1 && tabPositions && tabPositions[0] > 0) spacing = tabPositions[0];
    auto nextStop = [&](int cur) {
        if (nTabPositions > 1 && tabPositions) {
            for (int i = 0; i < nTabPositions; ++i)
                if (tabOrigin + tabPositions[i] > cur) return tabOrigin + tabPositions[i];
            return cur + Width(QStringLiteral(" "));
        }
        if (spacing <= 0) return cur;
        int steps = (cur - tabOrigin) / spacing + 1;
        if (cur < tabOrigin) steps = 0;
        return tabOrigin + steps * spacing;
    };
    const QStringList pieces = text.split(QLatin1Char('\t'));
    // Place the pieces first, so that an opaque background covers the gaps too.
    std::vector<int> starts;
    int cur = x;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        starts.push_back(cur);
        cur += Width(pieces[i]);
        if (i + 1 < pieces.size()) cur = nextStop(cur);
    }
    if (draw) {
        if (d_.st.bkMode == OPAQUE && cur > x)
            d_.Fill({x, y, cur, y + height}, ToQColor(d_.st.bkColor));
        for (qsizetype i = 0; i < pieces.size(); ++i)
            Out(starts[static_cast<std::size_t>(i)], y, pieces[i], -1, nullptr, false);
    }
    return Size(cur - x, height);
}

int DcText::Draw(const QString& text, Rect* rect, UINT format) {
    const bool prefix = !(format & DT_NOPREFIX);
    const bool single = format & DT_SINGLELINE;
    const int avail = rect->Width();
    auto shown = [&](const QString& s, int* underline) {
        int none = -1;
        return prefix ? StripPrefix(s, underline ? underline : &none) : s;
    };

    // Lines: one, or split at line ends and, with word breaks, at blanks.
    QStringList raw = single ? QStringList{text} : SplitLines(text);
    QStringList lines;
    for (const QString& line : raw) {
        if (single || !(format & DT_WORDBREAK)) {
            lines << line;
            continue;
        }
        QString cur;
        for (const QString& word : line.split(QLatin1Char(' '))) {
            QString candidate = cur.isEmpty() ? word : cur + QLatin1Char(' ') + word;
            if (cur.isEmpty() || Width(shown(candidate, nullptr)) <= avail) {
                cur = candidate;
            } else {
                lines << cur;
                cur = word;
            }
        }
        lines << cur;
    }

    struct Line {
        QString text;
        int underline = -1;
        int width = 0;
    };
    std::vector<Line> out;
    const bool ellipsis = (format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT) &&
                          (single || !(format & DT_WORDBREAK));
    for (const QString& line : lines) {
        Line l;
        l.text = shown(line, &l.underline);
        l.width = Width(l.text);
        if (ellipsis && l.width > avail) {
            const QString dots = QStringLiteral("...");
            qsizetype keep = l.text.size();
            while (keep > 0 && Width(l.text.left(keep) + dots) > avail)
                --keep;
            l.text = l.text.left(keep) + dots;
            if (l.underline >= keep) l.underline = -1;
            l.width = Width(l.text);
        }
        out.push_back(l);
    }

    const int lineHeight = fm_.ascent() + fm_.descent() +
                           ((format & DT_EXTERNALLEADING) ? std::max(0, fm_.leading()) : 0);
    const int total = lineHeight * static_cast<int>(out.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : out)
            widest = std::max(widest, l.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }

    int y = rect->top;
    if (single && (format & DT_VCENTER))
        y = (rect->top + rect->bottom - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        y = rect->bottom - lineHeight;
    const Rect* clip = (format & DT_NOCLIP) ? nullptr : rect;
    for (const Line& l : out) {
        int x = rect->left;
        if (format & DT_CENTER)
            x = (rect->left + rect->right - l.width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - l.width;
        Out(x, y, l.text, l.underline, clip);
        y += lineHeight;
    }
    if (single && (format & (DT_VCENTER | DT_BOTTOM))) return y - rect->top;
    return total;
}

} // namespace platform
