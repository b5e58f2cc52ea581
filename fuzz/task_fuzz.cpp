// Fuzzes the task file reader: any bytes give a task or one reason, never a crash; a task that
// was read is written and read back to the same file bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "task/TaskFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const vornik::FieldLimits limits : {vornik::FieldLimits::Form, vornik::FieldLimits::None}) {
        const vornik::TaskReadResult read = vornik::ReadTask(bytes, limits);
        if (!read) {
            if (read.Error().message.empty()) {
                std::abort();  // a refused file always says why
            }
            continue;
        }
        const std::string written = vornik::WriteTask(read->task);
        const vornik::TaskReadResult again = vornik::ReadTask(written, vornik::FieldLimits::None);
        if (!again || vornik::WriteTask(again->task) != written) {
            std::abort();
        }
    }
    return 0;
}
