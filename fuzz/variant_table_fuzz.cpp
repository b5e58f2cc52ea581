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
    if (read.error) {
        if (!read.variants.empty() || read.error->row < 0 || read.error->column < 0 ||
            TableErrorMessage(*read.error).find('\n') != std::string::npos) {
            std::abort();
        }
        return 0;
    }
    if (read.variants.empty()) {
        std::abort();  // a table without variants is a fault
    }
    const std::vector<std::string> stems = VariantFileStems(read.variants);
    const TableResult again = ReadVariantTable(VariantTableText(read.variants, stems), TaskValues{});
    if (again.error || again.variants.size() != read.variants.size()) {
        std::abort();
    }
    for (std::size_t k = 0; k < read.variants.size(); ++k) {
        if (!SameExercise(again.variants[k].task, read.variants[k].task) ||
            again.variants[k].task.title != read.variants[k].task.title) {
            std::abort();
        }
    }
    return 0;
}
