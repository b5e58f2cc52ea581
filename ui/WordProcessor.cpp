#include "ui/WordProcessor.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

QString FindWordProcessor() {
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) {
            return path;
        }
    }
    return QString();
}

QStringList WordProcessorArguments(const QString& textFile) {
    // -n opens the file as a template: the user gets an untitled document, and saving it never
    // touches the temporary file.
    return {QStringLiteral("--writer"), QStringLiteral("--infilter=Text (encoded):UTF8,CRLF,,"),
            QStringLiteral("-n"), textFile};
}

QString SendToWordProcessor(const QString& text) {
    const QString program = FindWordProcessor();
    if (program.isEmpty()) {
        return QStringLiteral(
            "Текстовый процессор не найден: для передачи текста установите LibreOffice Writer (soffice).");
    }
    // The file must outlive this command: the word processor reads it after we return.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/vornik-XXXXXX.txt"));
    file.setAutoRemove(false);
    if (!file.open()) {
        return QStringLiteral("Cannot create file \"%1\". %2.").arg(file.fileName(), file.errorString());
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString message =
            QStringLiteral("Cannot write file \"%1\". %2.").arg(file.fileName(), file.errorString());
        file.remove();
        return message;
    }
    file.close();
    if (!QProcess::startDetached(program, WordProcessorArguments(file.fileName()))) {
        file.remove();
        return QStringLiteral("Cannot start \"%1\".").arg(program);
    }
    return QString();
}
