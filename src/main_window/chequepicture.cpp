#include "main_window/chequepicture.h"

#include <QPainter>

namespace main_window {

ChequePicture::ChequePicture(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Picture1"));
}

void ChequePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect paper = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(paper, QColor(0xfb, 0xf7, 0xe9));
    painter.setPen(QPen(QColor(0x7a, 0x86, 0x9a), 1));
    painter.drawRect(paper);
    painter.drawRect(paper.adjusted(4, 4, -4, -4));

    // Ruled lines under the written fields.
    painter.setPen(QPen(QColor(0x9a, 0xa4, 0xb4), 1, Qt::DotLine));
    for (const QWidget *field : m_ruled) {
        const QRect g = field->geometry();
        painter.drawLine(g.left(), g.bottom() + 1, g.right(), g.bottom() + 1);
    }

    // The amount box.
    if (m_amountBox.isValid()) {
        painter.setPen(QPen(QColor(0x7a, 0x86, 0x9a), 1));
        painter.setBrush(QColor(0xff, 0xff, 0xff));
        painter.drawRect(m_amountBox);
    }

    // The band of the account and cheque numbers.
    painter.fillRect(QRect(5, height() - 46, width() - 10, 41), QColor(0xee, 0xe9, 0xd6));
}

} // namespace main_window
