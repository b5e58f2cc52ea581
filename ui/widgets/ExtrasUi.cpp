#include "ui/ExtrasUi.h"

#include <QStringList>

#include "ui/MessageBoxes.h"

QFont FormFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSize(8);
    return font;
}

void ShowRuntimeError(const std::string& text) {
    QString message = QString::fromStdString(text);
    // A full stop unless the text already ends in one.
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        message += QLatin1Char('.');
    }
    ShowErrorBox(message);
}
