#pragma once

#include <QMarginsF>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QtTest/QTest>

// The CUPS queue that tests/rig/cups-rig.sh sets up: a real queue whose
// every job is written, as PDF, over one known file.
//
// ORMELINE_TEST_QUEUE names the queue, ORMELINE_TEST_PDF the file. Without
// them the printing tests are skipped, unless ORMELINE_REQUIRE_CUPS=1 says
// the run must print (then they fail).
class TestQueue
{
public:
    static TestQueue fromEnvironment();
    static bool required();

    bool isSet() const { return !m_name.isEmpty() && !m_pdfPath.isEmpty(); }
    QString name() const { return m_name; }
    QString pdfPath() const { return m_pdfPath; }

    // Removes what the previous job wrote, so that the file can only be the
    // next job's. False (with the reason) when it cannot be removed.
    bool removeOutput(QString *why) const;

    // Waits, at most timeoutMs, until the queue holds no job and the file is
    // written. False (with the reason and what lpstat shows) otherwise.
    bool waitForOutput(QString *why, int timeoutMs = 60000) const;

    // Every job the queue has had, done or not, by id: a job that was sent,
    // however fast it was printed, shows here.
    QStringList jobs(QString *why = nullptr) const;

    // The printable area of A4 paper on this queue, as its PPD gives it:
    // margins in points of the portrait sheet, left/top/right/bottom.
    // False (with the reason) when the PPD cannot be read.
    bool a4Margins(QMarginsF *margins, QString *why) const;

    // Where the printable area starts on the A4 sheet, in twips, for a page
    // printed upright or turned to landscape (the sheet's bottom edge then
    // on the left, its left edge on top).
    bool printableOrigin(bool landscape, QPointF *origin, QString *why) const;

private:
    QString m_name;
    QString m_pdfPath;
};

// Declares `queue` for the rest of the test function, or skips the test
// (fails it, when printing is required) when the rig did not run.
#define ORMELINE_TEST_QUEUE(queue)                                                                                     \
    const TestQueue queue = TestQueue::fromEnvironment();                                                              \
    do {                                                                                                               \
        if (!queue.isSet()) {                                                                                          \
            if (TestQueue::required())                                                                                 \
                QFAIL("ORMELINE_REQUIRE_CUPS=1 but ORMELINE_TEST_QUEUE/ORMELINE_TEST_PDF are unset");                  \
            QSKIP("no CUPS test queue: run tests/rig/cups-rig.sh start and set the variables it prints");              \
        }                                                                                                              \
    } while (false)
