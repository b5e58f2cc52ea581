#pragma once
// What screen readers and keyboard users get from the windows: an accessible name for every
// control (from its hint, its row caption or what it shows) and the About box's keys. The
// windows' own code builds and places the controls; the names are kept here, one routine per
// window, so the captions and hints on screen stay exactly as they are.

class QWidget;

// Names the controls of each of the program's windows whenever it is shown (windows that start
// hidden build their controls on first showing, and some names follow the parameter form's
// connection). Called once the windows exist. The parameter form's own keys (tab order, Enter
// runs the calculation) are the form's: TForm3::SetTabOrder.
void InstallAccessibility();

// Names the controls of one window now.
void NameControls(QWidget* window);
