// Linked into every window test: Qt's test paths from the first instruction on, so that file
// dialogs and settings never write the real user's configuration (~/.config/QtProject.conf).

#include <QStandardPaths>
#include <QtGlobal>

namespace {

void EnableTestPaths() {
    QStandardPaths::setTestModeEnabled(true);
}

}  // namespace

Q_CONSTRUCTOR_FUNCTION(EnableTestPaths)
