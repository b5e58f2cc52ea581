#include "ui/platform/FileErrorText.h"

#include <QDir>
#include <cerrno>
#include <cstring>

QString SystemErrorReason(int code) {
    struct Reason {
        int code;
        const char* text;
    };
    static const Reason kReasons[] = {
        {ENOSPC, "на диске нет свободного места"},
        {EDQUOT, "превышена дисковая квота"},
        {EFBIG, "файл слишком велик"},
        {EACCES, "отказано в доступе"},
        {EPERM, "операция не позволена"},
        {EROFS, "файловая система доступна только для чтения"},
        {ENOENT, "нет такого файла или папки"},
        {ENOTDIR, "часть пути не является папкой"},
        {EISDIR, "это папка"},
        {ENAMETOOLONG, "слишком длинное имя файла"},
        {ELOOP, "слишком много уровней символьных ссылок"},
        {EIO, "ошибка ввода-вывода"},
        {EMFILE, "слишком много открытых файлов"},
        {ENFILE, "слишком много открытых файлов в системе"},
        {ENOMEM, "недостаточно памяти"},
        {ETXTBSY, "файл занят"},
        {EBUSY, "устройство или ресурс занято"},
        {EEXIST, "файл уже существует"},
        {EINVAL, "недопустимый аргумент"},
        {ENXIO, "нет такого устройства или адреса"},
        {ENODEV, "нет такого устройства"},
        {EAGAIN, "ресурс временно недоступен"},
        {ESTALE, "устаревший дескриптор сетевого файла"},
    };
    for (const Reason& r : kReasons) {
        if (r.code == code) {
            return QString::fromUtf8(r.text);
        }
    }
    const char* symbol = ::strerrorname_np(code);
    return symbol != nullptr
               ? QStringLiteral("ошибка системы %1 (%2)").arg(code).arg(QString::fromLatin1(symbol))
               : QStringLiteral("ошибка системы %1").arg(code);
}

QString FileSaveErrorText(const QString& path, int code) {
    return QStringLiteral("Не удалось сохранить файл \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), SystemErrorReason(code));
}
