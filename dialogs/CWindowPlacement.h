#pragma once
// Where the program's windows open: each one in the middle of its screen.

class QWidget;

class CWindowPlacement {
public:
    // Centres the whole window, frame included, on the free area of the
    // screen its owner is on (the primary screen for a window without one).
    static void CentreOnScreen(QWidget* pWindow);
};
