#pragma once

#include "framework.h"

// The application: runs the main window modally, then ends.
class CCalculatorApp : public CWinApp {
public:
    bool InitInstance() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};
