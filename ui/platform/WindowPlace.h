#pragma once
// Placing and showing the program's top-level windows. Positions and sizes are outer (frame)
// geometry in pixels, like the fixed home places of the windows.

class QMargins;
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

// The frame the window manager gives a decorated window like `except`, read from another of the
// program's windows it has already framed (one fixed in size or sizeable like it, where there is
// one); zero when none is known yet (or there is no window manager). A window not
// yet shown can be placed by its frame with it before the window system first maps it.
QMargins KnownFrameMargins(const QWidget* except);

// Centres the window's frame on the available desktop. Placed before the window is first shown,
// the frame is taken to be like the other windows' frames and mapped centred at once.
void CentreOnDesktop(QWidget* window);
