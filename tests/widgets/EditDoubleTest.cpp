#include "QtTestRegistry.h"
#include "FieldPage.h"

#include "widgets/EditDouble.h"

#include <QSignalSpy>
#include <QTest>

class EditDoubleTest : public QObject
{
    Q_OBJECT

private slots:
    void typedTextIsClamped_data();
    void typedTextIsClamped();
    void unreadableTextCountsAsZeroAndStays();
    void fullWidthDigitsAreNotNumbers();
    void setupAndLoadingKeepTheSpinInStep();
    void committedValuesMoveTheSpin();
    void loadingTheHeldValueLeavesTheTextAlone();
    void spinStepsTheWholePartAndKeepsTheFraction_data();
    void spinStepsTheWholePartAndKeepsTheFraction();
    void spinStopsAtTheEndOfItsRange();
    void rightDragChangesTheValueByPixels_data();
    void rightDragChangesTheValueByPixels();
    void rightDoubleClickRestoresTheResetValue();
};

void EditDoubleTest::typedTextIsClamped_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<QString>("keys"); // typed over the whole text; empty: text deleted
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allSelected");
    QTest::addColumn<double>("value");

    QTest::newRow("above maximum: caret at end") << -100.0 << "150" << "100.00" << false << 100.0;
    QTest::newRow("below minimum: selected") << -100.0 << "-150" << "-100.00" << true << -100.0;
    QTest::newRow("emptied") << -100.0 << "" << "0.00" << true << 0.0;
    QTest::newRow("emptied, 0 below the minimum") << 1.0 << "" << "1.00" << true << 1.0;
    QTest::newRow("in range stays as typed") << -100.0 << "12.5" << "12.5" << false << 12.5;
    QTest::newRow("exponent") << -100.0 << "1e1" << "1e1" << false << 10.0;
    QTest::newRow("exponent beyond double") << -100.0 << "1e999" << "100.00" << false << 100.0;
    QTest::newRow("bound itself is in range") << -100.0 << "100" << "100" << false << 100.0;
}

void EditDoubleTest::typedTextIsClamped()
{
    QFETCH(double, minimum);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(bool, allSelected);
    QFETCH(double, value);

    FieldPage<CEditDouble> page;
    page.field->Setup(13.0, minimum, 100.0, FieldPage<CEditDouble>::kSpinId);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditDouble::valueChanged);

    if (keys.isEmpty())
        Erase(page.field);
    else
        SelectAllAndType(page.field, keys);

    QCOMPARE(page.field->text(), text);
    QCOMPARE(page.field->GetValue(), value);
    QCOMPARE(page.field->selectedText(), allSelected ? text : QString());
    if (!allSelected)
        QCOMPARE(page.field->cursorPosition(), text.size());
    QVERIFY(!committed.isEmpty());
    QCOMPARE(committed.last().at(0).toDouble(), value);
}

void EditDoubleTest::unreadableTextCountsAsZeroAndStays()
{
    FieldPage<CEditDouble> page;
    page.field->Setup(13.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditDouble::valueChanged);

    SelectAllAndType(page.field, "abc");
    QCOMPARE(page.field->text(), "abc");
    QCOMPARE(page.field->GetValue(), 0.0);
    QCOMPARE(committed.size(), 1); // "a" commits 0, "ab" and "abc" change nothing

    // With 0 below the range it becomes the minimum.
    page.field->Setup(20.0, 1.0, 200.0, FieldPage<CEditDouble>::kSpinId);
    SelectAllAndType(page.field, "x");
    QCOMPARE(page.field->text(), "1.00");
    QCOMPARE(page.field->selectedText(), "1.00");
}

void EditDoubleTest::fullWidthDigitsAreNotNumbers()
{
    FieldPage<CEditDouble> page;
    page.field->Setup(13.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    QVERIFY(page.Show());
    QTest::keyClick(page.field, Qt::Key_A, Qt::ControlModifier);
    Compose(page.field, QStringLiteral("\uFF15"));
    QCOMPARE(page.field->text(), QStringLiteral("\uFF15"));
    QCOMPARE(page.field->GetValue(), 0.0);
}

void EditDoubleTest::setupAndLoadingKeepTheSpinInStep()
{
    FieldPage<CEditDouble> page;
    QSignalSpy committed(page.field, &CEditDouble::valueChanged);
    page.field->Setup(-13.7, -100.5, 100.9, FieldPage<CEditDouble>::kSpinId);
    QCOMPARE(page.field->text(), "-13.70");
    QCOMPARE(page.spin->GetRangeLow(), -100);
    QCOMPARE(page.spin->GetRangeHigh(), 100);
    QCOMPARE(page.spin->GetPos(), -13);

    page.field->SetValue(42.9);
    QCOMPARE(page.field->text(), "42.90");
    QCOMPARE(page.spin->GetPos(), 42);
    QCOMPARE(committed.size(), 0);
}

void EditDoubleTest::committedValuesMoveTheSpin()
{
    FieldPage<CEditDouble> page;
    page.field->Setup(0.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    QVERIFY(page.Show());
    SelectAllAndType(page.field, "-7.9");
    QCOMPARE(page.spin->GetPos(), -7);
}

void EditDoubleTest::loadingTheHeldValueLeavesTheTextAlone()
{
    FieldPage<CEditDouble> page;
    page.field->Setup(5.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    QVERIFY(page.Show());
    SelectAllAndType(page.field, "abc");
    page.field->SetValue(0.0);
    QCOMPARE(page.field->text(), "abc");

    // An out-of-range design value is shown as it is.
    page.field->SetValue(250.0);
    QCOMPARE(page.field->text(), "250.00");
    QCOMPARE(page.field->GetValue(), 250.0);
}

void EditDoubleTest::spinStepsTheWholePartAndKeepsTheFraction_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("back"); // after a step the other way with the arrow keys

    QTest::newRow("fraction kept") << "13.25" << true << "14.25" << "13.25";
    QTest::newRow("no point") << "7" << true << "8.00" << "7.00";
    QTest::newRow("down through zero") << "0.5" << false << "-1.5" << "0.5";
    QTest::newRow("clamped by the field") << "99.5" << true << "100.00" << "99.00";
}

void EditDoubleTest::spinStepsTheWholePartAndKeepsTheFraction()
{
    QFETCH(QString, typed);
    QFETCH(bool, up);
    QFETCH(QString, text);
    QFETCH(QString, back);

    FieldPage<CEditDouble> page;
    page.field->Setup(0.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    QVERIFY(page.Show());
    SelectAllAndType(page.field, typed);
    QSignalSpy committed(page.field, &CEditDouble::valueChanged);

    const QPoint arrow(page.spin->width() / 2, up ? 2 : page.spin->height() - 3);
    QTest::mouseClick(page.spin, Qt::LeftButton, Qt::NoModifier, arrow);
    QCOMPARE(page.field->text(), text);
    QCOMPARE(committed.size(), 1);
    QCOMPARE(committed.at(0).at(0).toDouble(), text.toDouble());

    // The buddy's arrow keys step it as well, and back.
    QTest::keyClick(page.field, up ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(page.field->text(), back);
}

void EditDoubleTest::spinStopsAtTheEndOfItsRange()
{
    FieldPage<CEditDouble> page;
    page.field->Setup(100.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditDouble::valueChanged);
    QTest::keyClick(page.field, Qt::Key_Up);
    QCOMPARE(page.field->text(), "100.00");
    QCOMPARE(committed.size(), 0);
}

void EditDoubleTest::rightDragChangesTheValueByPixels_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("dy");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");

    QTest::newRow("shift, down 17 from 0") << 0.0 << 17 << Qt::KeyboardModifiers(Qt::ShiftModifier) << "-10.00";
    QTest::newRow("plain keeps the fraction") << 12.25 << -3 << Qt::KeyboardModifiers() << "15.25";
    QTest::newRow("ctrl cuts the fraction") << 12.75 << -4 << Qt::KeyboardModifiers(Qt::ControlModifier) << "15.00";
    QTest::newRow("clamped") << 90.0 << -40 << Qt::KeyboardModifiers() << "100.00";
}

void EditDoubleTest::rightDragChangesTheValueByPixels()
{
    QFETCH(double, start);
    QFETCH(int, dy);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);

    FieldPage<CEditDouble> page;
    page.field->Setup(0.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    page.field->SetValue(start);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditDouble::valueChanged);

    RightDrag(page.field, dy, modifiers);
    QCOMPARE(page.field->text(), text);
    QCOMPARE(committed.size(), 1);
    QCOMPARE(page.field->GetValue(), text.toDouble());
}

void EditDoubleTest::rightDoubleClickRestoresTheResetValue()
{
    FieldPage<CEditDouble> page;
    page.field->Setup(13.0, -100.0, 100.0, FieldPage<CEditDouble>::kSpinId);
    page.field->SetValue(-40.0);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditDouble::valueChanged);

    const QPoint centre = page.field->rect().center();
    QTest::mouseClick(page.field, Qt::RightButton, Qt::NoModifier, centre);
    QTest::mouseDClick(page.field, Qt::RightButton, Qt::NoModifier, centre);
    QTest::mouseRelease(page.field, Qt::RightButton, Qt::NoModifier, centre);
    QCOMPARE(page.field->text(), "13.00");
    QCOMPARE(committed.size(), 1);
    QCOMPARE(page.spin->GetPos(), 13);
}

NACREFORM_QTEST(EditDoubleTest)
#include "EditDoubleTest.moc"
