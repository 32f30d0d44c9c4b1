#pragma once

// Tests that need Qt's event loop (queued signals, a serial port) create the one application here.

#include <QCoreApplication>

namespace varnoki::download::testing {

inline QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

}  // namespace varnoki::download::testing
