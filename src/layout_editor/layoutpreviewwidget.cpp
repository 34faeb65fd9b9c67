#include "layout_editor/layoutpreviewwidget.h"

#include "platform/paintersurface.h"

#include <QPainter>

namespace layout_editor {

namespace {

// The band under the drawing where the hints are written, in pixels.
constexpr int HintBand = 30;

} // namespace

LayoutPreviewWidget::LayoutPreviewWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Apercu"));
    setMinimumSize(200, 120);
}

void LayoutPreviewWidget::setLayout(const bank_layouts::Layout &layout)
{
    m_layout = layout;
    update();
}

void LayoutPreviewWidget::setCheque(const bank_layouts::ChequeFields &cheque,
                                    const bank_layouts::PrinterOffsets &offsets)
{
    m_cheque = withSamples(cheque);
    m_offsets = offsets;
    update();
}

void LayoutPreviewWidget::setHighlighted(int item)
{
    m_highlighted = item;
    update();
}

void LayoutPreviewWidget::drawUnderneath(QPainter &, const QRectF &) {}

void LayoutPreviewWidget::drawOver(QPainter &) {}

void LayoutPreviewWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), QColor(0xe4, 0xea, 0xf2));

    const QRectF cheque = chequeArea(m_offsets);
    const QRectF shown = cheque.adjusted(-margin(), -margin(), margin(), margin());
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4 - HintBand);
    const double scale = std::min(area.width() / shown.width(), area.height() / shown.height());
    m_toPixels = QTransform::fromTranslate(-shown.left(), -shown.top()) * QTransform::fromScale(scale, scale) *
                 QTransform::fromTranslate(area.left() + (area.width() - shown.width() * scale) / 2, area.top());
    painter.save();
    painter.setTransform(m_toPixels);

    // The paper, what lies on it, and its zones.
    painter.fillRect(cheque, QColor(0xfb, 0xf7, 0xe9));
    drawUnderneath(painter, cheque);
    painter.setPen(QPen(QColor(0x7a, 0x86, 0x9a), 1.0 / scale));
    painter.drawRect(cheque);
    painter.setPen(QPen(QColor(0x9a, 0xa6, 0xba), 1.0 / scale, Qt::DashLine));
    for (int zone = 0; zone < ZoneCount; ++zone)
        painter.drawRect(zoneRect(Zone(zone)).translated(cheque.topLeft()));

    // The items, by the routine that prints them.
    platform::PainterSurface surface(painter);
    const platform::Result<void> drawn = printWithLayout(surface, m_layout, m_offsets, m_cheque);
    m_boxes = surface.textBoxes();
    QList<QRectF> onCheque;
    for (const QRectF &box : m_boxes)
        onCheque << box.translated(-cheque.topLeft());
    m_problems = drawn ? layoutProblems(onCheque)
                       : QStringList{QStringLiteral("Le chèque ne peut pas être imprimé : %1").arg(drawn.error())};

    if (m_highlighted >= 0 && m_highlighted < m_boxes.size())
        painter.fillRect(m_boxes[m_highlighted].adjusted(-40, -20, 40, 20), QColor(255, 210, 0, 90));
    painter.setPen(QPen(QColor(0xd0, 0x10, 0x10), 2.0 / scale));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < m_boxes.size() && i < ChequeItemCount; ++i) {
        const QString name = itemName(ChequeItem(i));
        const bool wrong = std::any_of(m_problems.begin(), m_problems.end(), [&name](const QString &problem) {
            return problem.contains(name, Qt::CaseInsensitive);
        });
        if (wrong)
            painter.drawRect(m_boxes[i].adjusted(-20, -20, 20, 20));
    }
    painter.restore();
    drawOver(painter);

    // The hints, under the drawing.
    QFont hintFont = font();
    hintFont.setPointSizeF(8);
    painter.setFont(hintFont);
    painter.setPen(m_problems.isEmpty() ? QColor(0x2a, 0x6a, 0x2a) : QColor(0xc0, 0x10, 0x10));
    const QString hint = m_problems.isEmpty() ? QStringLiteral("Aperçu du chèque : les zones sont bien placées.")
                                              : m_problems.join(QStringLiteral(" ; ")) + QLatin1Char('.');
    painter.drawText(QRectF(6, height() - HintBand, width() - 12, HintBand - 2),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, hint);
}

} // namespace layout_editor
