#include "QtTestRegistry.h"
#include "QtTestRegistry.h"

#include <QTest>

#include <cstdio>
#include <cstring>

std::vector<SQtTestClass>& RegisteredQtTests()
{
    static std::vector<SQtTestClass> classes;
    return classes;
}

// "program CLASS [QtTest options]" runs one class as QTEST_MAIN would;
// "program --list" names the classes.
int main(int argc, char* argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "--list") == 0) {
        for (const SQtTestClass& testClass : RegisteredQtTests())
            std::printf("%s\n", testClass.name);
        return argc < 2 ? 2 : 0;
    }
    for (const SQtTestClass& testClass : RegisteredQtTests()) {
        if (std::strcmp(argv[1], testClass.name) != 0)
            continue;
        // The class name is ours, not QtTest's: the rest of the line is.
        for (int i = 1; i + 1 < argc; ++i)
            argv[i] = argv[i + 1];
        --argc;
        const auto application = testClass.makeApplication(argc, argv);
        application->setAttribute(Qt::AA_Use96Dpi, true);
        const auto test = testClass.makeTest();
        return QTest::qExec(test.get(), argc, argv);
    }
    std::fprintf(stderr, "no test class %s\n", argv[1]);
    return 2;
}
