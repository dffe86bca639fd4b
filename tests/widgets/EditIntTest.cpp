#include "QtTestRegistry.h"
#include "FieldPage.h"

#include "widgets/EditInt.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>

class EditIntTest : public QObject
{
    Q_OBJECT

private slots:
    void typingClampsAndPlacesTheCaret_data();
    void typingClampsAndPlacesTheCaret();
    void loneMinusWaitsForDigitsOnlyWhereNegativesAreAllowed();
    void fullWidthDigitsFromAnInputMethodCommitEachStep();
    void otherWideCharactersAreDroppedAndTheCaretStaysWithItsDigits();
    void fieldReactsToNothingBeforeSetup();
    void setupShowsTheResetValueAndSetsTheSpinRange();
    void loadedValuesAreShownWithoutCommitting();
    void outOfRangeLoadedValueIsClampedAtTheFirstEdit();
    void programmaticTextGoesThroughValidation();
    void digitStringsBeyond32BitsEndInRange_data();
    void digitStringsBeyond32BitsEndInRange();
    void rightDragChangesTheValueByPixels_data();
    void rightDragChangesTheValueByPixels();
    void rightDragOpensNoContextMenuAndRestoresTheCursor();
    void rightDoubleClickRestoresTheResetValue();
};

void EditIntTest::typingClampsAndPlacesTheCaret_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("where"); // caret: end, start or all selected
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionLength"); // -1: nothing selected
    QTest::addColumn<int>("caret");
    QTest::addColumn<QList<int>>("commits");

    QTest::newRow("above maximum: bound, caret at end")
        << 0 << 255 << 160 << "end" << "3" << "255" << -1 << 3 << QList<int>{255};
    QTest::newRow("leading zero rewritten, nothing committed")
        << 0 << 255 << 7 << "start" << "0" << "7" << -1 << 1 << QList<int>{};
    QTest::newRow("letter after digits disappears")
        << 0 << 255 << 12 << "end" << "a" << "12" << -1 << 2 << QList<int>{};
    QTest::newRow("lone minus with minimum 0 restores, selected")
        << 0 << 255 << 5 << "all" << "-" << "5" << 1 << 1 << QList<int>{};
    QTest::newRow("below minimum: bound, selected")
        << 10 << 100 << 50 << "all" << "3" << "10" << 2 << 2 << QList<int>{10};
    QTest::newRow("plain digits commit each step")
        << 0 << 1000 << 0 << "all" << "42" << "42" << -1 << 2 << QList<int>{4, 42};
    QTest::newRow("negative number typed digit by digit")
        << -100 << 100 << 5 << "all" << "-42" << "-42" << -1 << 3 << QList<int>{-4, -42};
    QTest::newRow("a space or a sign alone restores the value")
        << 0 << 255 << 9 << "all" << " +9" << "9" << -1 << 1 << QList<int>{};
}

void EditIntTest::typingClampsAndPlacesTheCaret()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, shown);
    QFETCH(QString, where);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, selectionLength);
    QFETCH(int, caret);
    QFETCH(QList<int>, commits);

    FieldPage<CEditInt> page;
    page.field->Setup(minimum, minimum, maximum, FieldPage<CEditInt>::kSpinId);
    page.field->SetValue(shown);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    if (where == "all")
        QTest::keyClick(page.field, Qt::Key_A, Qt::ControlModifier);
    else if (where == "start")
        QTest::keyClick(page.field, Qt::Key_Home);
    Type(page.field, keys);

    QCOMPARE(page.field->text(), text);
    QCOMPARE(page.field->hasSelectedText() ? page.field->selectedText().size() : -1, selectionLength);
    QCOMPARE(page.field->cursorPosition(), caret);
    QList<int> values;
    for (const QList<QVariant>& signal : committed)
        values << signal.at(0).toInt();
    QCOMPARE(values, commits);
    QCOMPARE(page.field->GetValue(), text.toInt());
}

void EditIntTest::loneMinusWaitsForDigitsOnlyWhereNegativesAreAllowed()
{
    FieldPage<CEditInt> page;
    page.field->Setup(0, -100, 100, FieldPage<CEditInt>::kSpinId);
    page.field->SetValue(30);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    SelectAllAndType(page.field, "-");
    QCOMPARE(page.field->text(), "-");
    QCOMPARE(page.field->GetValue(), 30);
    QCOMPARE(committed.size(), 0);

    // Showing the value already held leaves the minus being typed alone.
    page.field->SetValue(30);
    QCOMPARE(page.field->text(), "-");

    Type(page.field, "7");
    QCOMPARE(page.field->text(), "-7");
    QCOMPARE(committed.size(), 1);
    QCOMPARE(committed.at(0).at(0).toInt(), -7);

    // An emptied field with a negative minimum becomes 0, selected.
    Erase(page.field);
    QCOMPARE(page.field->text(), "0");
    QCOMPARE(page.field->selectedText(), "0");
    QCOMPARE(page.field->GetValue(), 0);
}

void EditIntTest::fullWidthDigitsFromAnInputMethodCommitEachStep()
{
    FieldPage<CEditInt> page;
    page.field->Setup(2, 0, 1000, FieldPage<CEditInt>::kSpinId);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    QTest::keyClick(page.field, Qt::Key_A, Qt::ControlModifier);
    Compose(page.field, QStringLiteral("\uFF11"));
    QCOMPARE(page.field->text(), "1");
    QCOMPARE(page.field->cursorPosition(), 1);
    Compose(page.field, QStringLiteral("\uFF12"));
    QCOMPARE(page.field->text(), "12");
    QCOMPARE(page.field->cursorPosition(), 2);
    QCOMPARE(committed.size(), 2);
    QCOMPARE(committed.at(1).at(0).toInt(), 12);

    // A wide digit typed in the middle: the caret stays after it.
    QTest::keyClick(page.field, Qt::Key_Left);
    Compose(page.field, QStringLiteral("\uFF15"));
    QCOMPARE(page.field->text(), "152");
    QCOMPARE(page.field->cursorPosition(), 2);
}

void EditIntTest::otherWideCharactersAreDroppedAndTheCaretStaysWithItsDigits()
{
    FieldPage<CEditInt> page;
    page.field->Setup(0, -1000, 1000, FieldPage<CEditInt>::kSpinId);
    page.field->SetValue(12);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    QTest::keyClick(page.field, Qt::Key_Left); // between 1 and 2
    Compose(page.field, QStringLiteral("\u3042"));
    QCOMPARE(page.field->text(), "12");
    QCOMPARE(page.field->cursorPosition(), 1);
    QCOMPARE(committed.size(), 0);

    // The wide hyphen-minus starts a negative number.
    QTest::keyClick(page.field, Qt::Key_Home);
    Compose(page.field, QStringLiteral("\uFF0D"));
    QCOMPARE(page.field->text(), "-12");
    QCOMPARE(page.field->cursorPosition(), 1);
    QCOMPARE(page.field->GetValue(), -12);
}

void EditIntTest::fieldReactsToNothingBeforeSetup()
{
    FieldPage<CEditInt> page;
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditInt::valueChanged);
    Type(page.field, "x5");
    QCOMPARE(page.field->text(), "x5");
    QCOMPARE(committed.size(), 0);
    QVERIFY(!page.field->IsActive());
}

void EditIntTest::setupShowsTheResetValueAndSetsTheSpinRange()
{
    FieldPage<CEditInt> page;
    QSignalSpy committed(page.field, &CEditInt::valueChanged);
    page.field->Setup(128, 1, 1000, FieldPage<CEditInt>::kSpinId);
    QCOMPARE(page.field->text(), "128");
    QCOMPARE(page.field->GetValue(), 128);
    QCOMPARE(page.spin->GetRangeLow(), 1);
    QCOMPARE(page.spin->GetRangeHigh(), 1000);
    QVERIFY(page.field->IsActive());
    QCOMPARE(committed.size(), 0);
}

void EditIntTest::loadedValuesAreShownWithoutCommitting()
{
    FieldPage<CEditInt> page;
    page.field->Setup(2, 0, 1000, FieldPage<CEditInt>::kSpinId);
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    page.field->SetValue(40);
    QCOMPARE(page.field->text(), "40");
    QCOMPARE(page.field->GetValue(), 40);

    page.field->setText("41x"); // some text reading as another value...
    committed.clear();
    page.field->SetTextSilently("something");
    page.field->SetValue(41); // ...same value: the text stays
    QCOMPARE(page.field->text(), "something");
    page.field->SetValue(41, false);
    QCOMPARE(page.field->text(), "41");
    QCOMPARE(committed.size(), 0);
}

void EditIntTest::outOfRangeLoadedValueIsClampedAtTheFirstEdit()
{
    FieldPage<CEditInt> page;
    page.field->Setup(128, 1, 1000, FieldPage<CEditInt>::kSpinId);
    page.field->SetValue(2000);
    QVERIFY(page.Show());
    QCOMPARE(page.field->text(), "2000");
    QCOMPARE(page.field->GetValue(), 2000);
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    QTest::keyClick(page.field, Qt::Key_Backspace);
    QCOMPARE(page.field->text(), "200");
    QCOMPARE(committed.size(), 1);
    QCOMPARE(committed.at(0).at(0).toInt(), 200);

    page.field->SetValue(-5);
    QTest::keyClick(page.field, Qt::Key_End);
    Type(page.field, "0");
    QCOMPARE(page.field->text(), "1");
    QCOMPARE(page.field->GetValue(), 1);
}

void EditIntTest::programmaticTextGoesThroughValidation()
{
    FieldPage<CEditInt> page;
    page.field->Setup(0, 0, 255, FieldPage<CEditInt>::kSpinId);
    QSignalSpy committed(page.field, &CEditInt::valueChanged);
    page.field->setText("300");
    QCOMPARE(page.field->text(), "255");
    QCOMPARE(committed.size(), 1);
    page.field->setText("");
    QCOMPARE(page.field->text(), "0");
    QCOMPARE(page.field->selectedText(), "0");
    QCOMPARE(committed.size(), 2);
    page.field->setText(" +42abc");
    QCOMPARE(page.field->text(), "42");
    QCOMPARE(committed.size(), 3);
    QCOMPARE(committed.at(2).at(0).toInt(), 42);
}

void EditIntTest::digitStringsBeyond32BitsEndInRange_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");

    QTest::newRow("huge positive") << 1 << 1000 << "99999999999999999999999" << 1000;
    QTest::newRow("huge negative") << -100 << 100 << "-99999999999999999999999" << -100;
    QTest::newRow("just above 32 bits, full range") << INT_MIN << INT_MAX << "2147483648" << INT_MAX;
    QTest::newRow("just below 32 bits, full range") << INT_MIN << INT_MAX << "-2147483649" << INT_MIN;
    QTest::newRow("32-bit wrap would be in range") << 0 << 1000 << "4294967297" << 1000;
}

void EditIntTest::digitStringsBeyond32BitsEndInRange()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, typed);
    QFETCH(int, value);

    FieldPage<CEditInt> page;
    page.field->Setup(0, minimum, maximum, FieldPage<CEditInt>::kSpinId);
    page.field->setText(typed); // as a paste delivers it
    QCOMPARE(page.field->GetValue(), value);
    QCOMPARE(page.field->text(), QString::number(value));
}

void EditIntTest::rightDragChangesTheValueByPixels_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("dy");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");

    QTest::newRow("shift, up 25 from 100") << 100 << -25 << Qt::KeyboardModifiers(Qt::ShiftModifier) << "120";
    QTest::newRow("plain, up 7") << 100 << -7 << Qt::KeyboardModifiers() << "107";
    QTest::newRow("ctrl, down 8 from 100") << 100 << 8 << Qt::KeyboardModifiers(Qt::ControlModifier) << "90";
    QTest::newRow("shift toward zero below it") << 3 << 20 << Qt::KeyboardModifiers(Qt::ShiftModifier) << "-10";
    QTest::newRow("clamped to the maximum") << 990 << -50 << Qt::KeyboardModifiers() << "1000";
    QTest::newRow("clamped to the minimum") << -90 << 50 << Qt::KeyboardModifiers() << "-100";
}

void EditIntTest::rightDragChangesTheValueByPixels()
{
    QFETCH(int, start);
    QFETCH(int, dy);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);

    FieldPage<CEditInt> page;
    page.field->Setup(0, -100, 1000, FieldPage<CEditInt>::kSpinId);
    page.field->SetValue(start);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    RightDrag(page.field, dy, modifiers);
    QCOMPARE(page.field->text(), text);
    QCOMPARE(page.field->GetValue(), text.toInt());
    QCOMPARE(committed.size(), 1);

    // After the release, moving the mouse changes nothing.
    QTest::mouseMove(page.field, page.field->rect().topLeft());
    QCOMPARE(page.field->text(), text);
}

void EditIntTest::rightDragOpensNoContextMenuAndRestoresTheCursor()
{
    FieldPage<CEditInt> page;
    page.field->Setup(0, 0, 255, FieldPage<CEditInt>::kSpinId);
    QVERIFY(page.Show());
    const QPoint centre = page.field->rect().center();

    QTest::mousePress(page.field, Qt::RightButton, Qt::NoModifier, centre);
    QCOMPARE(page.field->cursor().shape(), Qt::SizeVerCursor);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, centre, page.field->mapToGlobal(centre));
    QCoreApplication::sendEvent(page.field, &menu);
    QTest::mouseRelease(page.field, Qt::RightButton, Qt::NoModifier, centre);
    QCOMPARE(page.field->cursor().shape(), Qt::IBeamCursor);
    QVERIFY(menu.isAccepted());
    QVERIFY(!QApplication::activePopupWidget());
}

void EditIntTest::rightDoubleClickRestoresTheResetValue()
{
    FieldPage<CEditInt> page;
    page.field->Setup(160, 0, 255, FieldPage<CEditInt>::kSpinId);
    page.field->SetValue(255);
    QVERIFY(page.Show());
    QSignalSpy committed(page.field, &CEditInt::valueChanged);

    const QPoint centre = page.field->rect().center();
    QTest::mouseClick(page.field, Qt::RightButton, Qt::NoModifier, centre);
    QTest::mouseDClick(page.field, Qt::RightButton, Qt::NoModifier, centre);
    QTest::mouseRelease(page.field, Qt::RightButton, Qt::NoModifier, centre);
    QCOMPARE(page.field->text(), "160");
    QCOMPARE(committed.size(), 1);
    QCOMPARE(committed.at(0).at(0).toInt(), 160);
}

NACREFORM_QTEST(EditIntTest)
#include "EditIntTest.moc"
