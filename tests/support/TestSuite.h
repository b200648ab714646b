#pragma once
// A subsystem's test executable holds several QtTest classes, each defined in its own
// .cpp file and registered there with TEST_CLASS(Name). The shared main runs the class
// named by its first argument (CTest runs one class per entry), or every class.

#include <QObject>
#include <functional>
#include <memory>

using TestClassFactory = std::function<std::unique_ptr<QObject>()>;

// Adds a class to the executable's list; returns true so that it can initialise a static.
bool RegisterTestClass(const char* name, TestClassFactory factory);

#define TEST_CLASS(Class)                                                                          \
    static const bool registered##Class =                                                          \
        RegisterTestClass(#Class, [] { return std::unique_ptr<QObject>(new Class); });
