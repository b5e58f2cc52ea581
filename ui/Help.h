#pragma once
// Opening the help page HELP.htm with the desktop's browser.
class QWidget;
void OpenHelpPage(QWidget* parent);
