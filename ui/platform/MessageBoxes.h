#pragma once
// The program's two kinds of modal message: its own fixed messages in a plain box, and errors
// in the error box. Both carry the program file's name as caption.

#include <QString>

// The program file's name without extension.
QString ProgramCaption();

// A plain box with the text and an OK button.
void ShowPlainMessage(const QString& text);

// The error box: error icon, OK button; the text is shown as given.
void ShowErrorBox(const QString& text);
