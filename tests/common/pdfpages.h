// The pages of a PDF file that a print job wrote, for the printing tests of
// every widget suite.
#pragma once
#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>

// Page objects of a PDF file; -1 when it is missing or no PDF.
inline int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray data = file.readAll();
    if (!data.startsWith("%PDF")) return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(data).count(page));
}
