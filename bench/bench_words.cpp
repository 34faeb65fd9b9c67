// The amount in French words, and its split over the cheque's two lines
// measured as the printer measures, per amount.
#include "amount_words/amountwords.h"
#include "amount_words/wordsplit.h"
#include "platform/qtprintersurface.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

// Amounts as a shop takes them: up to six figures, with cents.
QStringList sampleAmounts()
{
    QRandomGenerator random(2026);
    QStringList amounts;
    for (int i = 0; i < 4096; ++i)
        amounts
            << QStringLiteral("%1.%2").arg(random.bounded(1000000)).arg(random.bounded(100), 2, 10, QLatin1Char('0'));
    return amounts;
}

void words(benchmark::State &state)
{
    const QStringList amounts = sampleAmounts();
    const QString currency = QStringLiteral("Euro");
    const QString hundredth = QStringLiteral("centime");
    qsizetype i = 0;
    for (auto _ : state) {
        QString amount = amounts[i++ & 4095];
        benchmark::DoNotOptimize(amount_words::ConvertitLettres2(amount, currency, hundredth));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(words);

void split(benchmark::State &state)
{
    const QStringList amounts = sampleAmounts();
    QStringList texts;
    for (QString amount : amounts)
        texts << QStringLiteral("****") +
                     amount_words::ConvertitLettres2(amount, QStringLiteral("Euro"), QStringLiteral("centime"));
    // The printer's metrics, as the cheque print measures: a first line of
    // 60 mm in Arial 10.
    platform::QtPrinterSurface printer(QStringLiteral("ormeline-bench-no-printer"));
    const amount_words::TextWidth width = [&printer](const QString &text) { return printer.textWidth(text); };
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(amount_words::splitWords(texts[i++ & 4095], 60 * 56.7, width));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(split);

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
