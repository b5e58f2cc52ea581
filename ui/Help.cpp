// Help page (placeholder).
#include "ui/Help.h"
void OpenHelpPage(QWidget*) {}
