#pragma once
// Placing and showing the program's top-level windows. Positions and sizes are outer (frame)
// geometry in pixels, like the fixed home places of the windows.

class QSize;
class QWidget;

// Makes a window visible and brings it to the front (a hidden window runs its show event); a
// minimized one is restored.
void ShowWindow(QWidget* window);

// Size of the frame around the client area: zero until the window manager has framed it.
QSize FrameExtra(const QWidget* window);

// Moves the window's frame to (left, top); with width and height given, sizes the frame too. A
// minimized or maximized window is restored to a normal one first.
// Called before the window manager has framed the window (at creation or at its first
// showing), the placement is given again once the frame is known, so the frame, not only the
// client area, is at its home place from the very first showing.
void PlaceOuter(QWidget* window, int left, int top, int width = -1, int height = -1);
