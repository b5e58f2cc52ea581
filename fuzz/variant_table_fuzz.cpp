// Fuzzes the variant table reader: any bytes give either one fault with its place or variants
// that the set's own table writer gives back unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "classset/VariantTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vornik;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TableResult read = ReadVariantTable(bytes, TaskValues{});
    if (!read) {
        if (read.Error().row < 0 || read.Error().column < 0 ||
            TableErrorMessage(read.Error()).find('\n') != std::string::npos) {
            std::abort();
        }
        return 0;
    }
    if (read->empty()) {
        std::abort();  // a table without variants is a fault
    }
    const std::vector<std::string> stems = VariantFileStems(*read);
    const TableResult again = ReadVariantTable(VariantTableText(*read, stems), TaskValues{});
    if (!again || again->size() != read->size()) {
        std::abort();
    }
    for (std::size_t k = 0; k < read->size(); ++k) {
        if (!SameExercise((*again)[k].task, (*read)[k].task) ||
            (*again)[k].task.title != (*read)[k].task.title) {
            std::abort();
        }
    }
    return 0;
}
