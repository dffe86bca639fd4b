#include "QtTestRegistry.h"
#include "FieldPage.h"

#include "widgets/EditDouble.h"
#include "widgets/EditInt.h"

#include <QSignalSpy>
#include <QTest>

class SpinButtonCtrlTest : public QObject
{
    Q_OBJECT

private slots:
    void sitsAtTheRightEdgeOfItsBuddy();
    void integerBuddyIsWrittenAndValidated();
    void integerBuddyStepsFromWhatItShows();
    void holdingAnArrowRepeats();
    void notifiesEachStepAndTheEnd();
    void positionIsSigned16BitsInsideTheRange();
    void plainBuddyKeepsItsText();
};

void SpinButtonCtrlTest::sitsAtTheRightEdgeOfItsBuddy()
{
    FieldPage<CEditInt> page; // field at (10, 20) 80 x 22, spin 16 wide
    QCOMPARE(page.field->geometry(), QRect(10, 20, 64, 22));
    QCOMPARE(page.spin->geometry(), QRect(74, 20, 16, 22));
    QCOMPARE(page.spin->GetBuddy(), page.field);
}

void SpinButtonCtrlTest::integerBuddyIsWrittenAndValidated()
{
    FieldPage<CEditInt> page;
    page.field->Setup(254, 0, 255, FieldPage<CEditInt>::kSpinId);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    QTest::keyClick(page.field, Qt::Key_Up);
    QCOMPARE(page.field->text(), "255");
    QTest::keyClick(page.field, Qt::Key_Up); // at the end of the range
    QCOMPARE(page.field->text(), "255");
    QTest::mouseClick(page.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, page.spin->height() - 3));
    QCOMPARE(page.field->text(), "254");
    QCOMPARE(committed.size(), 2);
    QCOMPARE(committed.at(1).at(0).toInt(), 254);
}

void SpinButtonCtrlTest::integerBuddyStepsFromWhatItShows()
{
    FieldPage<CEditInt> page;
    page.field->Setup(128, 1, 1000, FieldPage<CEditInt>::kSpinId);
    page.field->SetValue(40); // loaded, not committed: the spin never heard of it
    QVERIFY(page.Show());
    QTest::keyClick(page.field, Qt::Key_Up);
    QCOMPARE(page.field->text(), "41");
    QCOMPARE(page.field->GetValue(), 41);

    // A loaded value beyond the range steps back into it.
    page.field->SetValue(2000);
    QTest::keyClick(page.field, Qt::Key_Down);
    QCOMPARE(page.field->text(), "999");
}

void SpinButtonCtrlTest::holdingAnArrowRepeats()
{
    FieldPage<CEditInt> page;
    page.field->Setup(0, 0, 1000, FieldPage<CEditInt>::kSpinId);
    QVERIFY(page.Show());
    QTest::mousePress(page.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 2));
    QCOMPARE(page.field->text(), "1");
    QTRY_VERIFY(page.field->GetValue() >= 4);
    QTest::mouseRelease(page.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 2));
    const int released = page.field->GetValue();
    QSignalSpy committed(page.field, &CEditInt::valueChanged);
    QVERIFY(!committed.wait(200)); // the repeat has stopped
    QCOMPARE(page.field->GetValue(), released);
}

void SpinButtonCtrlTest::notifiesEachStepAndTheEnd()
{
    FieldPage<CEditDouble> page;
    page.field->Setup(5.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    QVERIFY(page.Show());
    QSignalSpy scrolled(page.spin, &CSpinButtonCtrl::scrolled);
    QTest::mouseClick(page.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 2));
    QCOMPARE(scrolled.size(), 2);
    QCOMPARE(scrolled.at(0).at(0).toInt(), CSpinButtonCtrl::kThumbPosition);
    QCOMPARE(scrolled.at(0).at(1).toInt(), 6);
    QCOMPARE(scrolled.at(1).at(0).toInt(), CSpinButtonCtrl::kEndScroll);
    // HandleSpin consumes both for a decimal buddy, but only steps on the first.
    QCOMPARE(page.field->text(), "6.00");
    QVERIFY(HandleSpin(CSpinButtonCtrl::kEndScroll, 50, page.spin));
    QCOMPARE(page.field->text(), "6.00");
}

void SpinButtonCtrlTest::positionIsSigned16BitsInsideTheRange()
{
    CSpinButtonCtrl spin;
    spin.setRange(-40000, 40000);
    spin.SetPos(70000); // low 16 bits: 4464
    QCOMPARE(spin.GetPos(), 4464);
    spin.SetPos(-1);
    QCOMPARE(spin.GetPos(), -1);
    spin.setRange(0, 100);
    QCOMPARE(spin.GetPos(), 0);
    spin.SetPos(500);
    QCOMPARE(spin.GetPos(), 100);
}

void SpinButtonCtrlTest::plainBuddyKeepsItsText()
{
    QWidget page;
    auto* field = new QLineEdit("abc", &page);
    auto* spin = new CSpinButtonCtrl(&page);
    spin->setRange(0, 10);
    spin->SetBuddy(field);
    QSignalSpy scrolled(spin, &CSpinButtonCtrl::scrolled);
    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(field->text(), "abc");
    QCOMPARE(spin->GetPos(), 1);
    QVERIFY(!HandleSpin(CSpinButtonCtrl::kThumbPosition, 1, spin));
    QCOMPARE(scrolled.size(), 2);
}

NACREFORM_QTEST(SpinButtonCtrlTest)
#include "SpinButtonCtrlTest.moc"
