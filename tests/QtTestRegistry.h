#pragma once

#include "QtTestRegistry.h"
#include <QApplication>
#include <QObject>

#include <functional>
#include <memory>

// The QtTest classes of one test program. Each *Test.cpp registers its class
// with NACREFORM_QTEST(Class) where a program of its own would have said
// QTEST_MAIN(Class); QtTestMain.cpp runs the class its first argument names.
struct SQtTestClass
{
    const char* name;
    // The application object the class runs under: a QApplication unless
    // the class tests a subclass of its own.
    std::function<std::unique_ptr<QCoreApplication>(int&, char**)> makeApplication;
    std::function<std::unique_ptr<QObject>()> makeTest;
};

std::vector<SQtTestClass>& RegisteredQtTests();

struct SQtTestRegistration
{
    explicit SQtTestRegistration(SQtTestClass testClass) { RegisteredQtTests().push_back(std::move(testClass)); }
};

#define NACREFORM_QTEST(TestClass)                                                                        \
    static const SQtTestRegistration s_registration##TestClass{                                           \
        SQtTestClass{#TestClass, [](int& argc, char** argv) -> std::unique_ptr<QCoreApplication> {        \
                         return std::make_unique<QApplication>(argc, argv);                               \
                     },                                                                                   \
                     [] { return std::make_unique<TestClass>(); }}};
