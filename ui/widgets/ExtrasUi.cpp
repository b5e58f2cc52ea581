#include "ui/widgets/ExtrasUi.h"

#include <QStringList>

#include "solver/SolverErrors.h"
#include "ui/platform/MessageBoxes.h"

QFont FormFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSize(8);
    return font;
}

void ShowRuntimeError(const std::string& text) {
    ShowErrorBox(QString::fromStdString(vornik::ErrorBoxText(text)));
}
