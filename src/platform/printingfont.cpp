#include "platform/printingfont.h"

#include <QBuffer>
#include <QPdfWriter>

namespace platform {

PrintingMetrics::PrintingMetrics()
    : m_pdfBytes(std::make_unique<QBuffer>())
{
    // Nothing is ever drawn on the writer: it is there for its metrics only.
    m_pdfBytes->open(QIODevice::WriteOnly);
    m_measure = std::make_unique<QPdfWriter>(m_pdfBytes.get());
    m_measure->setResolution(TwipsPerInch);
}

PrintingMetrics::~PrintingMetrics() = default;

void PrintingMetrics::setFont(const QString &name, float points, bool bold)
{
    m_font = printingFont(name, points, bold);
    m_metrics.reset();
}

const QFontMetricsF &PrintingMetrics::metrics()
{
    if (!m_metrics)
        m_metrics.emplace(m_font, m_measure.get());
    return *m_metrics;
}

} // namespace platform
