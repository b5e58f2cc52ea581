#pragma once
// The message of a file that could not be saved, in Russian throughout (the system's reason in the
// core's words).

#include <QString>

// "Не удалось сохранить файл "<path>": <reason>." for the errno `code`.
QString FileSaveErrorText(const QString& path, int code);

// The reason alone ("на диске нет свободного места"); a rare errno is named by its number and
// symbol ("ошибка системы 71 (EPROTO)").
QString SystemErrorReason(int code);
