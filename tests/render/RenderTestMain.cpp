#include <QGuiApplication>

#include <gtest/gtest.h>

// Fonts need a GUI application; the offscreen platform needs no display
// (also when the tests are listed at build time, outside ctest's environment).
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
