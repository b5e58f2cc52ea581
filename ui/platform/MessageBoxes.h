#pragma once
// The program's kinds of modal message: its own fixed messages in a plain box, errors in the
// error box, and warnings. All carry the program file's name as caption and show their text as
// plain text, never as markup.

#include <QString>

class QWidget;

// The program file's name without extension.
QString ProgramCaption();

// A plain box with the text and an OK button.
void ShowPlainMessage(const QString& text);

// The error box: error icon, OK button; the text is shown as given.
void ShowErrorBox(const QString& text);

// A warning box over `parent`: warning icon, OK button.
void ShowWarningBox(QWidget* parent, const QString& text);
