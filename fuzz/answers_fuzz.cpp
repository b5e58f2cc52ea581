// The self-check's readers on any bytes: the answers file, the answers table and each answer
// text; an answers file that reads is marked against its own task.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "check/AnswerText.h"
#include "check/AnswersFile.h"
#include "check/Marking.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vornik;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadAnswerText(bytes, false);
    ReadAnswerText(bytes, true);
    ReadAnswersTable(bytes);
    const AnswersReadResult read = ReadAnswers(bytes);
    if (read.file) {
        const AnswerSheet sheet =
            MakeAnswerSheet({read.file->task.title, read.file->task.input, read.file->task.precision});
        MarkAnswers(sheet, read.file->answers);
    }
    return 0;
}
