#pragma once

#include "journal/chequerecorder.h"
#include "platform/clock.h"
#include "platform/printingsystem.h"
#include "support/recordingsurface.h"

#include <QStringList>

// A clock that always says the same day, so that a run across midnight
// cannot fail. Its time of day stands still too until a test moves it.
class FixedClock final : public platform::Clock
{
public:
    explicit FixedClock(QDate day = QDate(2026, 3, 7))
        : m_now(day, QTime(10, 0))
    {
    }
    explicit FixedClock(QDateTime now)
        : m_now(std::move(now))
    {
    }
    QDate today() const override { return m_now.date(); }
    QDateTime now() const override { return m_now; }
    void setNow(const QDateTime &now) { m_now = now; }

private:
    QDateTime m_now;
};

// A printing system with the printers a test names, whatever queues the
// machine has, printing on a recording surface. Selecting a printer is noted
// and keeps the same surface.
class FakePrinting final : public platform::PrintingSystem
{
public:
    explicit FakePrinting(QStringList names = {})
        : m_names(std::move(names))
    {
    }

    QStringList printerNames() override
    {
        ++m_namesAsked;
        return m_names;
    }
    QString defaultPrinterName() override { return m_default; }
    platform::PrinterSurface &currentPrinter() override { return m_surface; }
    void selectPrinter(const QString &name) override { m_selections << name; }

    void setDefaultPrinterName(const QString &name) { m_default = name; }
    // How often the list of printers was asked for.
    int namesAsked() const { return m_namesAsked; }
    RecordingSurface &surface() { return m_surface; }
    QStringList selections() const { return m_selections; }

private:
    QStringList m_names;
    QString m_default;
    int m_namesAsked = 0;
    RecordingSurface m_surface;
    QStringList m_selections;
};

// The machine's real printing system, listing only the printers a test
// names, so that start-up picks a known queue.
class ListedPrinting final : public platform::PrintingSystem
{
public:
    explicit ListedPrinting(QStringList names)
        : m_names(std::move(names))
    {
    }

    QStringList printerNames() override { return m_names; }
    QString defaultPrinterName() override { return m_real.defaultPrinterName(); }
    platform::PrinterSurface &currentPrinter() override { return m_real.currentPrinter(); }
    void selectPrinter(const QString &name) override { m_real.selectPrinter(name); }

private:
    QStringList m_names;
    platform::QtPrintingSystem m_real;
};

// A journal that keeps the cheques in memory, or refuses each one with a
// reason the test gives.
class MemoryRecorder final : public journal::ChequeRecorder
{
public:
    platform::Result<qint64> recordHandingOver(const journal::PrintedCheque &cheque) override
    {
        if (!m_refusal.isEmpty())
            return platform::fail(m_refusal);
        if (whenHandedOver)
            whenHandedOver();
        m_handedOver << cheque;
        return qint64(m_handedOver.size());
    }
    platform::Result<qint64> confirmPrinted(qint64 id, const journal::PrintedCheque &cheque) override
    {
        m_cheques << cheque;
        return id;
    }
    platform::Result<void> markNotPrinted(qint64, const QString &why) override
    {
        m_notPrinted << why;
        return {};
    }

    void setTill(const QString &till) override { m_till = till; }
    platform::Result<journal::Journal::Moved> takeIn(const QString &) override
    {
        return platform::fail(QStringLiteral("pas de serveur"));
    }
    QString till() const { return m_till; }

    void refuse(const QString &why) { m_refusal = why; }
    // Run as each cheque is written down.
    std::function<void()> whenHandedOver;
    // The cheques the printing system took.
    QList<journal::PrintedCheque> cheques() const { return m_cheques; }
    // Written down before a hand-over, taken or not.
    QList<journal::PrintedCheque> handedOver() const { return m_handedOver; }
    QStringList notPrinted() const { return m_notPrinted; }

private:
    QString m_refusal;
    QString m_till;
    QList<journal::PrintedCheque> m_handedOver;
    QList<journal::PrintedCheque> m_cheques;
    QStringList m_notPrinted;
};
