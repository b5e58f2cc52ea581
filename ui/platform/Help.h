#pragma once
// Opening the help page HELP.htm with the desktop's browser.

#include <QString>
#include <QStringList>

class QWidget;

// Where HELP.htm is looked for, in order: the current directory, beside the program, the
// installed data directory (<prefix>/share/vornik, found from the program's own folder).
QStringList HelpFileCandidates();
// The first candidate that exists, or an empty string.
QString FindHelpFile();
// Opens the help page found by FindHelpFile; one message box when it is missing or no browser
// can be started.
void OpenHelpPage(QWidget* parent);
// Opens the given page; an empty path is reported as a missing help file.
void OpenHelpFile(QWidget* parent, const QString& path);
