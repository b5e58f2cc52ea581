#include "fileio/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace vornik {

std::string SystemErrorText(int code) {
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
        {ECANCELED, "операция отменена"},
    };
    for (const Reason& r : kReasons) {
        if (r.code == code) {
            return r.text;
        }
    }
    std::string text = "ошибка системы " + std::to_string(code);
#ifdef __GLIBC__  // the symbol's name is glibc's; elsewhere (the web build) the number alone
    if (const char* symbol = ::strerrorname_np(code)) {
        text.append(" (").append(symbol).append(")");
    }
#endif
    return text;
}

}  // namespace vornik
