#include "bank_layouts/banklist.h"
#include "bank_layouts/layoutfile.h"
#include "support/globals.h"
#include "support/layoutbytes.h"
#include "support/workingfolder.h"

#include <QFile>
#include <QTest>

using namespace bank_layouts;

namespace {

} // namespace

// The bank list built from the layout files of the working folder.
class TestBankList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetGlobals(); }
    void facesFollowTheFiles();
    void moreFilesThanButtons();
    void rebuildingOverwritesNeverClears();
};

void TestBankList::facesFollowTheFiles()
{
    WorkingFolder folder;
    QCOMPARE(charge_banque().faces.size(), 0);
    QCOMPARE(charge_banque().fileAt(0), QString());

    folder.write(QStringLiteral("bq_A.txt"), layoutBytes("Cr\xe9"
                                                         "dit du Sud"));
    folder.write(QStringLiteral("bq_B.txt"), QByteArray()); // no first line
    folder.write(QStringLiteral("bq_C.txt"), layoutBytes("Apr\xe8s"));
    const BankList list = charge_banque();
    const QList<BankButtonFace> &faces = list.faces;
    QCOMPARE(faces.size(), 3);
    QCOMPARE(faces[0].caption, std::optional<QString>(QStringLiteral("Crédit du Sud")));
    QCOMPARE(faces[0].pictureFile, QStringLiteral("bq_A.bmp"));
    QCOMPARE(faces[1].caption, std::nullopt);
    QCOMPARE(faces[2].caption, std::optional<QString>(QStringLiteral("Après")));
    QCOMPARE(list.fileAt(2), QStringLiteral("bq_C.txt"));
    // The last file listed is the last entry.
    QCOMPARE(list.fileAt(3), QString());
}

void TestBankList::moreFilesThanButtons()
{
    WorkingFolder folder;
    for (int i = 0; i < 23; ++i)
        folder.write(QStringLiteral("bq_%1.txt").arg(i, 2, 10, QLatin1Char('0')),
                     layoutBytes("B" + QByteArray::number(i)));
    const BankList list = charge_banque();
    const QList<BankButtonFace> &faces = list.faces;
    // The first fifteen in name order get a button; the names go as far as
    // the list holds them.
    QCOMPARE(faces.size(), 15);
    QCOMPARE(faces[14].caption, std::optional<QString>(QStringLiteral("B14")));
    QCOMPARE(list.fileAt(20), QStringLiteral("bq_20.txt"));
    QCOMPARE(list.fileAt(21), QString());
}

void TestBankList::rebuildingOverwritesNeverClears()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layoutBytes("Premier"));
    folder.write(QStringLiteral("bq_B.txt"), layoutBytes("Second"));
    const BankList before = charge_banque();
    QFile::remove(folder.path(QStringLiteral("bq_A.txt")));
    const BankList list = charge_banque(before);
    const QList<BankButtonFace> &faces = list.faces;
    QCOMPARE(faces.size(), 1);
    QCOMPARE(list.fileAt(0), QStringLiteral("bq_B.txt"));
    QCOMPARE(list.fileAt(1), QStringLiteral("bq_B.txt"));
}

QTEST_GUILESS_MAIN(TestBankList)
#include "tst_banklist.moc"
