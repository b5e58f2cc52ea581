#include "ui/platform/Help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "ui/platform/MessageBoxes.h"

namespace {
const QString kHelpName = QStringLiteral("HELP.htm");
}

QStringList HelpFileCandidates() {
    QStringList candidates;
    candidates << QDir::current().absoluteFilePath(kHelpName);
    const QDir programDir(QCoreApplication::applicationDirPath());
    candidates << programDir.absoluteFilePath(kHelpName);
#ifdef VORNIK_HELP_INSTALL_SUBDIR
    // <prefix>/bin/vornik finds <prefix>/share/vornik/HELP.htm
    candidates << QDir::cleanPath(programDir.absoluteFilePath(
        QStringLiteral("../") + QStringLiteral(VORNIK_HELP_INSTALL_SUBDIR) + QLatin1Char('/') + kHelpName));
#endif
    return candidates;
}

QString FindHelpFile() {
    for (const QString& candidate : HelpFileCandidates()) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

void OpenHelpPage(QWidget* parent) {
    OpenHelpFile(parent, FindHelpFile());
}

void OpenHelpFile(QWidget* parent, const QString& path) {
    if (path.isEmpty()) {
        ShowWarningBox(parent,
                       QStringLiteral("Файл справки HELP.htm не найден ни в текущей папке, ни рядом с "
                                      "программой."));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        ShowWarningBox(parent,
                       QStringLiteral("Не удалось открыть справку: не найдена программа для просмотра "
                                      "страниц (браузер).\nФайл справки: %1")
                           .arg(QDir::toNativeSeparators(path)));
    }
}
