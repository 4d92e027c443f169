#include "core/main_window_port.h"

namespace {
MainWindowPort* g_port = nullptr;
}

MainWindowPort::~MainWindowPort()
{
    if (g_port == this)
        g_port = nullptr;
}

MainWindowPort* mainWindowPort() { return g_port; }

void setMainWindowPort(MainWindowPort* port) { g_port = port; }
