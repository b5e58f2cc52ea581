#pragma once
// The shape of the borderless About box and splash: a rounded rectangle whose corners are
// quarters of a 50 x 50 ellipse; everything outside is neither drawn nor clickable.

class QWidget;

inline constexpr int kRoundCornerEllipse = 50;

void ApplyRoundedShape(QWidget* window);
// A window of a fixed client size on a black background, in the rounded shape.
void MakeRoundedBlackWindow(QWidget* window, int width, int height);
// Puts the window in the middle of the screen it is on (the primary screen before it is shown).
void CentreOnScreen(QWidget* window);
