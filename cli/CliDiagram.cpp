#include "cli/CliDiagram.h"

#include <stdexcept>

// Placeholder until the diagram drawing lands.
namespace vornik {
std::string ParseDiagramSelection(const std::string&, bool, int&) {
    return "--diagram is not available yet";
}
std::string DrawCliDiagram(const CalcState&, const ParameterFields&, int, const std::optional<std::string>&) {
    throw std::runtime_error("--diagram is not available yet");
}
}  // namespace vornik
