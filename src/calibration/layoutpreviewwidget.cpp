#include "calibration/layoutpreviewwidget.h"

#include "platform/paintersurface.h"

#include <QPainter>

namespace calibration {

namespace {

// Room around the cheque, in twips, for an item that strays off it.
constexpr double Margin = 250;
// The band under the drawing where the hints are written, in pixels.
constexpr int HintBand = 30;

// A French cheque's usual zones, in millimetres from its top-left corner:
// where a bank prints the lines that the items are written on.
const QRectF UsualZones[] = {
    QRectF(120, 20, 52, 12), // the amount box
    QRectF(4, 12, 118, 7),   // the first line of the amount in words
    QRectF(4, 19, 118, 7),   // the second line
    QRectF(4, 27, 100, 7),   // the payee
    QRectF(86, 34, 86, 7),   // place and date
    QRectF(0, 66, 175, 14),  // the account and cheque numbers
};

} // namespace

LayoutPreviewWidget::LayoutPreviewWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Apercu"));
    setMinimumSize(200, 120);
}

void LayoutPreviewWidget::setLayout(const LayoutFields &layout)
{
    m_layout = layout;
    update();
}

void LayoutPreviewWidget::setCheque(const bank_layouts::ChequeFields &cheque)
{
    // A field that is empty now would show nothing where it goes: a sample
    // stands in for it.
    m_cheque = cheque;
    if (m_cheque.amount.trimmed().isEmpty() || m_cheque.words.trimmed().isEmpty()) {
        m_cheque.amount = QStringLiteral("1575.98");
        m_cheque.words = QStringLiteral("MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES");
    }
    if (m_cheque.payee.trimmed().isEmpty())
        m_cheque.payee = QStringLiteral("Nom du bénéficiaire");
    if (m_cheque.place.trimmed().isEmpty())
        m_cheque.place = QStringLiteral("Ville");
    if (m_cheque.date.trimmed().isEmpty())
        m_cheque.date = QStringLiteral("01/01/2026");
    update();
}

void LayoutPreviewWidget::setHighlighted(int item)
{
    m_highlighted = item;
    update();
}

void LayoutPreviewWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), QColor(0xe4, 0xea, 0xf2));

    const QRectF cheque = chequeArea(m_cheque);
    const QRectF shown = cheque.adjusted(-Margin, -Margin, Margin, Margin);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4 - HintBand);
    const double scale = std::min(area.width() / shown.width(), area.height() / shown.height());
    painter.save();
    painter.translate(area.left() + (area.width() - shown.width() * scale) / 2, area.top());
    painter.scale(scale, scale);
    painter.translate(-shown.topLeft());

    // The paper and its zones.
    painter.fillRect(cheque, QColor(0xfb, 0xf7, 0xe9));
    painter.setPen(QPen(QColor(0x7a, 0x86, 0x9a), 1.0 / scale));
    painter.drawRect(cheque);
    painter.setPen(QPen(QColor(0xb8, 0xc0, 0xcc), 1.0 / scale, Qt::DashLine));
    for (const QRectF &zone : UsualZones) {
        painter.drawRect(QRectF(cheque.left() + zone.left() * 56.7, cheque.top() + zone.top() * 56.7,
                                zone.width() * 56.7, zone.height() * 56.7));
    }

    // The items, by the routine that prints them.
    platform::PainterSurface surface(painter);
    const platform::Result<void> drawn = printWithLayout(surface, m_layout, m_cheque);
    const QList<QRectF> boxes = surface.textBoxes();
    m_problems = drawn ? layoutProblems(boxes, cheque)
                       : QStringList{QStringLiteral("Le chèque ne peut pas être imprimé : %1").arg(drawn.error())};

    if (m_highlighted >= 0 && m_highlighted < boxes.size())
        painter.fillRect(boxes[m_highlighted].adjusted(-40, -20, 40, 20), QColor(255, 210, 0, 90));
    painter.setPen(QPen(QColor(0xd0, 0x10, 0x10), 2.0 / scale));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < boxes.size() && i < ChequeItemCount; ++i) {
        const QString name = itemName(ChequeItem(i));
        const bool wrong = std::any_of(m_problems.begin(), m_problems.end(), [&name](const QString &problem) {
            return problem.contains(name, Qt::CaseInsensitive);
        });
        if (wrong)
            painter.drawRect(boxes[i].adjusted(-20, -20, 20, 20));
    }
    painter.restore();

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

} // namespace calibration
