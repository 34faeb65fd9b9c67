#include "support/pdfwords.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

void tell(QString *why, const QString &text)
{
    if (why)
        *why = text;
}

bool runTool(const QString &program, const QStringList &arguments, QByteArray *out, QString *why)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        tell(why, QStringLiteral("%1 did not run: %2").arg(program, process.errorString()));
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        tell(why,
             QStringLiteral("%1 %2 failed: %3")
                 .arg(program, arguments.join(u' '), QString::fromLocal8Bit(process.readAllStandardError()).trimmed()));
        return false;
    }
    *out = process.readAllStandardOutput();
    return true;
}

double number(const QXmlStreamAttributes &attributes, const QString &name, bool *ok)
{
    bool good = false;
    const double value = attributes.value(name).toDouble(&good);
    if (!good)
        *ok = false;
    return value;
}

} // namespace

PdfPage PdfPage::as(PageTurn turn) const
{
    if (turn == PageTurn::Portrait || width > height)
        return *this;
    PdfPage turned;
    turned.width = height;
    turned.height = width;
    for (const PdfWord &word : words) {
        PdfWord w = word;
        w.xMin = height - word.yMax;
        w.xMax = height - word.yMin;
        w.yMin = word.xMin;
        w.yMax = word.xMax;
        turned.words << w;
    }
    return turned;
}

QList<PdfWord> PdfPage::find(const QString &text) const
{
    QList<PdfWord> found;
    for (const PdfWord &word : words) {
        if (word.text == text)
            found << word;
    }
    return found;
}

QStringList PdfPage::texts() const
{
    QStringList result;
    for (const PdfWord &word : words)
        result << word.text;
    return result;
}

QList<PdfPage> readPdfWords(const QString &pdfPath, QString *why)
{
    QByteArray xhtml;
    if (!runTool(
            QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")},
            &xhtml, why))
        return {};

    QList<PdfPage> pages;
    QXmlStreamReader xml(xhtml);
    bool ok = true;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            PdfPage page;
            page.width = number(a, QStringLiteral("width"), &ok);
            page.height = number(a, QStringLiteral("height"), &ok);
            pages << page;
        } else if (xml.name() == QLatin1String("word")) {
            if (pages.isEmpty()) {
                ok = false;
                break;
            }
            PdfWord word;
            word.xMin = number(a, QStringLiteral("xMin"), &ok);
            word.yMin = number(a, QStringLiteral("yMin"), &ok);
            word.xMax = number(a, QStringLiteral("xMax"), &ok);
            word.yMax = number(a, QStringLiteral("yMax"), &ok);
            word.text = xml.readElementText();
            pages.last().words << word;
        }
    }
    if (xml.hasError() || !ok) {
        tell(why, QStringLiteral("cannot read pdftotext's output for %1: %2")
                      .arg(pdfPath, xml.hasError() ? xml.errorString() : QStringLiteral("bad number")));
        return {};
    }
    if (pages.isEmpty())
        tell(why, QStringLiteral("no page in %1").arg(pdfPath));
    return pages;
}

QStringList readPdfFonts(const QString &pdfPath, QString *why)
{
    QByteArray table;
    if (!runTool(QStringLiteral("pdffonts"), {pdfPath}, &table, why))
        return {};
    // Two heading lines, then one font a line, its name first.
    static const QRegularExpression subsetPrefix(QStringLiteral("^[A-Z]{6}\\+"));
    QStringList fonts;
    const QStringList lines = QString::fromUtf8(table).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        QString name = lines.at(i).section(u' ', 0, 0, QString::SectionSkipEmpty);
        name.remove(subsetPrefix);
        fonts << name;
    }
    return fonts;
}
