// Lays the generated pictures out on one sheet to look them over: every
// picture enlarged three times, and a mock prompt dialog with its frame
// pieces and faces in place.
//
//     preview-artwork IMAGEDIR SHEET.png

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

QImage load(const QDir &dir, const QString &name)
{
    QImage image(dir.filePath(name));
    if (image.isNull())
        std::fprintf(stderr, "preview-artwork: missing %s\n", qPrintable(name));
    return image;
}

void checker(QPainter &painter, const QRect &area)
{
    painter.fillRect(area, QColor(0xf4, 0xf4, 0xf4));
    for (int y = area.top(); y < area.bottom(); y += 8)
        for (int x = area.left() + ((y - area.top()) / 8 % 2) * 8; x < area.right(); x += 16)
            painter.fillRect(QRect(x, y, 8, 8).intersected(area), QColor(0xdd, 0xdd, 0xdd));
}

// The prompt dialog at its real size: 6795 × 5670 twips, frame per the
// placement table, the top-left picture, message, input box and buttons.
QImage mockDialog(const QDir &dir, const QString &topLeft)
{
    const int w = 453, h = 378, s = 32;
    QImage dialog(w, h, QImage::Format_ARGB32_Premultiplied);
    dialog.fill(Qt::white);
    QPainter painter(&dialog);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect places[8] = {{0, 0, s, s},          {w - s, 0, s, s},         {w - s, h - s, s, s},
                             {0, h - s, s, s},      {0, s, s, h - 2 * s},     {s, 0, w - 2 * s, s},
                             {w - s, s, s, h - 2 * s}, {s, h - s, w - 2 * s, s}};
    for (int i = 0; i < 8; ++i)
        painter.drawImage(places[i], load(dir, QStringLiteral("ccb_%1.png").arg(i)));

    painter.drawImage(QPoint(36, 30), load(dir, topLeft));
    QFont message(QStringLiteral("Arial"));
    message.setPointSize(12);
    painter.setFont(message);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(QRect(172, 30, 241, 187), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Entrez le montant du chèque ?"));
    painter.fillRect(QRect(36, 230, 377, 34), QColor(255, 255, 192));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(QRect(36, 230, 376, 33));
    QFont input(QStringLiteral("Arial"));
    input.setPointSize(12);
    input.setBold(true);
    painter.setFont(input);
    painter.setPen(Qt::black);
    painter.drawText(QRect(42, 230, 360, 34), Qt::AlignVCenter, QStringLiteral("125,50"));
    painter.drawImage(QPoint(188, 272), load(dir, QStringLiteral("btc_1.png")));
    painter.drawImage(QPoint(264, 272), load(dir, QStringLiteral("btc_3.png")));
    painter.drawImage(QPoint(340, 272), load(dir, QStringLiteral("btc_2.png")));
    return dialog;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: preview-artwork IMAGEDIR SHEET.png\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));

    const QStringList rows[] = {
        {QStringLiteral("ccb_0.png"), QStringLiteral("ccb_1.png"), QStringLiteral("ccb_2.png"),
         QStringLiteral("ccb_3.png"), QStringLiteral("ccb_4.png"), QStringLiteral("ccb_5.png"),
         QStringLiteral("ccb_6.png"), QStringLiteral("ccb_7.png")},
        {QStringLiteral("btc_0.png"), QStringLiteral("btc_1.png"), QStringLiteral("btc_2.png"),
         QStringLiteral("btc_3.png"), QStringLiteral("btc_5.png"), QStringLiteral("btc_11.png")},
        {QStringLiteral("command4.png"), QStringLiteral("bt_out.png"), QStringLiteral("bt_fin.png"),
         QStringLiteral("image2.png"), QStringLiteral("picture1_0.png")},
        {QStringLiteral("image1_2.png"), QStringLiteral("fc_img_024.png")},
    };

    const int zoom = 3, gap = 14, label = 16;
    const QImage dialogA = mockDialog(dir, QStringLiteral("image1_2.png"));
    const QImage dialogB = mockDialog(dir, QStringLiteral("fc_img_024.png"));

    int width = 2 * dialogA.width() * 2 + 3 * gap;
    int height = gap;
    for (const QStringList &row : rows) {
        int rowWidth = gap, rowHeight = 0;
        for (const QString &name : row) {
            const QImage image = load(dir, name);
            rowWidth += image.width() * zoom + gap;
            rowHeight = std::max(rowHeight, image.height() * zoom);
        }
        width = std::max(width, rowWidth);
        height += rowHeight + label + gap;
    }
    height += dialogA.height() * 2 + gap;

    QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x9a, 0xa0, 0xa8));
    QPainter painter(&sheet);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    painter.setFont(font);

    int y = gap;
    for (const QStringList &row : rows) {
        int x = gap, rowHeight = 0;
        for (const QString &name : row) {
            const QImage image = load(dir, name);
            const QRect area(x, y + label, image.width() * zoom, image.height() * zoom);
            checker(painter, area);
            painter.drawImage(area, image);
            painter.setPen(Qt::white);
            painter.drawText(QRect(x, y, area.width() + gap, label), Qt::AlignLeft | Qt::AlignVCenter, name);
            x += area.width() + gap;
            rowHeight = std::max(rowHeight, area.height());
        }
        y += rowHeight + label + gap;
    }
    painter.drawImage(QRect(gap, y, dialogA.width() * 2, dialogA.height() * 2), dialogA);
    painter.drawImage(QRect(2 * gap + dialogA.width() * 2, y, dialogB.width() * 2, dialogB.height() * 2), dialogB);
    painter.end();

    QString dialogName = QString::fromLocal8Bit(argv[2]);
    dialogName.replace(QStringLiteral(".png"), QStringLiteral("-dialog.png"));
    dialogA.save(dialogName);
    if (!sheet.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "preview-artwork: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
