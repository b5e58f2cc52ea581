#include "ui/platform/FileErrorText.h"

#include <QDir>

#include "fileio/SystemErrorText.h"

QString SystemErrorReason(int code) {
    return QString::fromStdString(vornik::SystemErrorText(code));
}

QString FileSaveErrorText(const QString& path, int code) {
    return QStringLiteral("Не удалось сохранить файл \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), SystemErrorReason(code));
}
