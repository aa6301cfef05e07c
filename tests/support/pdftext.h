// A PDF read back as a user reads it, through poppler's pdftotext.
#pragma once
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace testsupport {

// One page's text: laid out ("-layout") or as words with their boxes ("-bbox").
inline QString pdfPageText(const QString &pdf, int page, const QString &mode = QStringLiteral("-layout"))
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {mode, "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words of a page with their boxes (the file's metadata left out).
inline QStringList pdfWords(const QString &pdf, int page)
{
    static const QRegularExpression word(QStringLiteral("<word .*</word>"));
    QStringList words;
    for (const QRegularExpressionMatch &match : word.globalMatch(pdfPageText(pdf, page, QStringLiteral("-bbox"))))
        words << match.captured(0);
    return words;
}

} // namespace testsupport
