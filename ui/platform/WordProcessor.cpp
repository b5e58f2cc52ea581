#include "ui/platform/WordProcessor.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>

#include "fileio/ReplaceFile.h"
#include "ui/platform/FileErrorText.h"

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

QStringList WordProcessorRtfArguments(const QString& rtfFile) {
    // Writer knows RTF by its contents; -n again gives an untitled document.
    return {QStringLiteral("--writer"), QStringLiteral("-n"), rtfFile};
}

namespace {

// Puts the bytes into a new file of the hand-off folder and starts the word processor on it with
// the arguments `arguments` makes of the file's name.
QString HandOver(const std::string& bytes, const QString& suffix, QStringList (*arguments)(const QString&)) {
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
    const QString path =
        QStringLiteral("%1/results-%2.%3").arg(folder.Path()).arg(++handOffCount).arg(suffix);
    try {
        vornik::ReplaceFile(QFile::encodeName(path).toStdString(), bytes);
    } catch (const vornik::FileWriteError& e) {
        return FileSaveErrorText(path, e.Code());
    }
    if (!QProcess::startDetached(program, arguments(path))) {
        QFile::remove(path);
        return QStringLiteral("Не удалось запустить \"%1\".").arg(program);
    }
    return QString();
}

}  // namespace

QString SendToWordProcessor(const QString& text) {
    return HandOver(text.toUtf8().toStdString(), QStringLiteral("txt"), &WordProcessorArguments);
}

QString SendRtfToWordProcessor(const std::string& rtf) {
    return HandOver(rtf, QStringLiteral("rtf"), &WordProcessorRtfArguments);
}
