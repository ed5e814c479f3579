#pragma once

#include "TfrmMain.h"

#include <QTest>

#include <memory>

// The main window, shown and active, as at a program start; nullptr when it
// never became active.
inline std::unique_ptr<TfrmMain> startMainWindow()
{
    auto w = std::make_unique<TfrmMain>();
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
        return nullptr;
    return w;
}
