#include "QtTestRegistry.h"
#include "widgets/EditText.h"

#include <QSignalSpy>
#include <QTest>

class EditTextTest : public QObject
{
    Q_OBJECT

private slots:
    void loadingReportsNothing();
    void everyUserChangeReportsTheWholeText();
};

void EditTextTest::loadingReportsNothing()
{
    CEditText field;
    QVERIFY(field.IsActive());
    QSignalSpy changed(&field, &CEditText::valueChanged);
    field.SetTextSilently("Caption");
    QCOMPARE(field.GetText(), "Caption");
    QCOMPARE(changed.size(), 0);
    QVERIFY(field.IsActive());
}

void EditTextTest::everyUserChangeReportsTheWholeText()
{
    CEditText field;
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    field.SetTextSilently("Go");
    QSignalSpy changed(&field, &CEditText::valueChanged);

    QTest::keyClick(&field, Qt::Key_End);
    QTest::keyClicks(&field, " 1");
    QInputMethodEvent wide;
    wide.setCommitString(QStringLiteral("\uFF12\u3000\u3042"));
    QCoreApplication::sendEvent(&field, &wide);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(changed.last().at(0).toString(), QStringLiteral("Go 1\uFF12\u3000\u3042"));
    QCOMPARE(field.GetText(), QStringLiteral("Go 1\uFF12\u3000\u3042"));

    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Delete);
    QCOMPARE(changed.size(), 4);
    QCOMPARE(changed.last().at(0).toString(), QString());
}

NACREFORM_QTEST(EditTextTest)
#include "EditTextTest.moc"
