#pragma once
// The system's reason for a failed file operation, in Russian: the C library speaks the language of
// its locale (English when the program sets none), and what users read is Russian throughout.

#include <string>

namespace vornik {

// The reason for the errno `code` ("нет такого файла или папки"); a rare errno is named by its
// number and symbol ("ошибка системы 71 (EPROTO)").
std::string SystemErrorText(int code);

}  // namespace vornik
