#include "ui/WordProcessor.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>

#include "fileio/ReplaceFile.h"
#include "ui/FileErrorText.h"

namespace {

// The folder of this run's hand-off files, made on first use and removed with everything in it
// when the program ends. A file must outlive its command (the word processor reads it after we
// return), so each stays until then.
class HandOffFolder {
  public:
    HandOffFolder() {
        QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/vornik-XXXXXX"));
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = QFile::decodeName(pattern);
        } else {
            error_ = errno;
        }
    }
    ~HandOffFolder() {
        if (!path_.isEmpty()) {
            QDir(path_).removeRecursively();
        }
    }
    HandOffFolder(const HandOffFolder&) = delete;
    HandOffFolder& operator=(const HandOffFolder&) = delete;

    // Empty when the folder could not be made; Error() then holds the errno.
    const QString& Path() const { return path_; }
    int Error() const { return error_; }

  private:
    QString path_;
    int error_ = 0;
};

HandOffFolder& TheHandOffFolder() {
    static HandOffFolder folder;
    return folder;
}

}  // namespace

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
    const HandOffFolder& folder = TheHandOffFolder();
    if (folder.Path().isEmpty()) {
        return QStringLiteral("Не удалось создать временную папку в \"%1\": %2.")
            .arg(QDir::toNativeSeparators(QDir::tempPath()), SystemErrorReason(folder.Error()));
    }
    static int handOffCount = 0;
    const QString path = QStringLiteral("%1/results-%2.txt").arg(folder.Path()).arg(++handOffCount);
    try {
        vornik::ReplaceFile(QFile::encodeName(path).toStdString(), text.toUtf8().toStdString());
    } catch (const vornik::FileWriteError& e) {
        return FileSaveErrorText(path, e.Code());
    }
    if (!QProcess::startDetached(program, WordProcessorArguments(path))) {
        QFile::remove(path);
        return QStringLiteral("Не удалось запустить \"%1\".").arg(program);
    }
    return QString();
}
