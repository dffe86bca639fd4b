#include "QtTestRegistry.h"
#include "widgets/FontComboBox.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class FontComboBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void listsEveryFamilyInSortedOrder();
    void prefixSelectsTheFirstMatchInListOrder_data();
    void prefixSelectsTheFirstMatchInListOrder();
    void unknownNameKeepsTheSelection();
    void missingDesignFontShowsInItalicsWithItsStandIn();
    void rowsAndDroppedList();
    void choosingAnItemReportsItsName();
    void typedTextSelectsNothing();
};

void FontComboBoxTest::listsEveryFamilyInSortedOrder()
{
    CFontComboBox fonts;
    QCOMPARE(fonts.count(), QFontDatabase::families().size());
    QVERIFY(fonts.count() > 0);
    for (int i = 1; i < fonts.count(); ++i)
        QVERIFY2(QString::compare(fonts.itemText(i - 1), fonts.itemText(i), Qt::CaseInsensitive) <= 0,
                 qPrintable(fonts.itemText(i - 1) + " / " + fonts.itemText(i)));
    QCOMPARE(fonts.currentIndex(), -1);
    QCOMPARE(fonts.GetFontName(), QString());
}

void FontComboBoxTest::prefixSelectsTheFirstMatchInListOrder_data()
{
    QTest::addColumn<QString>("family"); // must be installed
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("selected");

    QTest::newRow("exact name before longer ones") << "DejaVu Sans Mono" << "dejavu sans" << "DejaVu Sans";
    QTest::newRow("first of several") << "Noto Sans CJK JP" << "NOTO SANS CJK" << "Noto Sans CJK HK";
    QTest::newRow("empty selects the first") << "DejaVu Sans" << "" << "";
}

void FontComboBoxTest::prefixSelectsTheFirstMatchInListOrder()
{
    QFETCH(QString, family);
    QFETCH(QString, prefix);
    QFETCH(QString, selected);
    if (!QFontDatabase::families().contains(family))
        QSKIP("font not installed");

    CFontComboBox fonts;
    const int index = fonts.SelectString(prefix);
    QCOMPARE(index, fonts.currentIndex());
    QCOMPARE(fonts.GetFontName(), selected.isEmpty() ? fonts.itemText(0) : selected);
}

void FontComboBoxTest::unknownNameKeepsTheSelection()
{
    CFontComboBox fonts;
    fonts.setCurrentIndex(1);
    QSignalSpy changed(&fonts, &QComboBox::currentIndexChanged);
    QCOMPARE(fonts.SelectString("No Such Face 12345"), -1);
    QCOMPARE(fonts.currentIndex(), 1);
    QCOMPARE(changed.size(), 0);
}

void FontComboBoxTest::missingDesignFontShowsInItalicsWithItsStandIn()
{
    CFontComboBox fonts;
    const QString missing = QStringLiteral("No Such Face 12345");
    fonts.ShowFontName(missing);
    QCOMPARE(fonts.currentIndex(), -1);
    QCOMPARE(fonts.lineEdit()->text(), missing);
    QVERIFY(fonts.lineEdit()->font().italic());
    const QString standIn = QFontInfo(QFont(missing)).family();
    QVERIFY(!standIn.isEmpty());
    QCOMPARE(fonts.toolTip(), CFontComboBox::MissingFontTip(missing, standIn));
    QVERIFY(fonts.GetFontName().isEmpty());

    const QString installed = fonts.itemText(0);
    fonts.ShowFontName(installed);
    QCOMPARE(fonts.GetFontName(), installed);
    QVERIFY(!fonts.lineEdit()->font().italic());
    QVERIFY(fonts.toolTip().isEmpty());
}

void FontComboBoxTest::rowsAndDroppedList()
{
    CFontComboBox fonts;
    fonts.resize(120, 24);
    fonts.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fonts));
    fonts.showPopup();
    QTRY_VERIFY(fonts.view()->isVisible());
    QCOMPARE(fonts.view()->visualRect(fonts.model()->index(0, 0)).height(), 25);
    QVERIFY(fonts.view()->window()->width() >= 280);
    fonts.hidePopup();
}

void FontComboBoxTest::choosingAnItemReportsItsName()
{
    CFontComboBox fonts;
    fonts.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fonts));
    fonts.setCurrentIndex(0);
    QSignalSpy activated(&fonts, &QComboBox::activated);
    QTest::keyClick(&fonts, Qt::Key_Down);
    QCOMPARE(activated.size(), 1);
    QCOMPARE(fonts.GetFontName(), fonts.itemText(1));
}

void FontComboBoxTest::typedTextSelectsNothing()
{
    CFontComboBox fonts;
    fonts.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fonts));
    fonts.setCurrentIndex(0);
    const int count = fonts.count();
    QSignalSpy activated(&fonts, &QComboBox::activated);
    fonts.lineEdit()->selectAll();
    QTest::keyClicks(&fonts, fonts.itemText(2)); // the edit part's focus goes to the combo box
    QTest::keyClick(&fonts, Qt::Key_Return);
    QCOMPARE(fonts.currentText(), fonts.itemText(2));
    QCOMPARE(activated.size(), 0);
    QCOMPARE(fonts.currentIndex(), 0);
    QCOMPARE(fonts.count(), count);
}

NACREFORM_QTEST(FontComboBoxTest)
#include "FontComboBoxTest.moc"
