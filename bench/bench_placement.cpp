// The placement view's redraw while an item is dragged, with the straightened
// picture of a full-page scan under the cheque, per frame.
#include "bank_layouts/layoutfile.h"
#include "layout_editor/placementview.h"
#include "platform/pictures.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

// A page scanned at 300 dots an inch, the cheque somewhere on it.
QImage fullPageScan()
{
    QImage page(2480, 3508, QImage::Format_RGB32);
    QRandomGenerator random(2026);
    for (int y = 0; y < page.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const int grey = 200 + int(random.bounded(56));
            line[x] = qRgb(grey, grey, grey);
        }
    }
    return page;
}

void dragFrame(benchmark::State &state)
{
    layout_editor::PlacementView view;
    view.resize(1000, 560);
    const QImage scan = fullPageScan();
    const std::array<QPointF, 4> corners{QPointF(200, 300), QPointF(2270, 320), QPointF(2260, 1270),
                                         QPointF(190, 1250)};
    view.setPicture(platform::straightened(scan, corners, QSize(1750, 800)), 70);
    view.setCheque({QStringLiteral("1575.98"),
                    QStringLiteral("MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES"),
                    QStringLiteral("Boulangerie Éloïse"), QStringLiteral("Mâcon"), QStringLiteral("08/12/2026")},
                   {QStringLiteral("0"), QStringLiteral("0")});
    view.select(0);
    QImage frame(view.size(), QImage::Format_ARGB32_Premultiplied);
    bank_layouts::Layout layout;
    int step = 0;
    for (auto _ : state) {
        // The amount a tenth of a millimetre further at each frame, and the
        // whole view drawn, as a drag does.
        layout.amount.x = bank_layouts::LayoutNumber::fromMm(120 + (step++ % 200) / 10.0);
        view.setLayout(layout);
        view.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(dragFrame)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
