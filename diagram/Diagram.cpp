#include "diagram/Diagram.h"

// Placeholder until the diagram geometry lands.
namespace vornik {
void ClearDiagram(DiagramCanvas& canvas) {
    canvas.FillWhite();
}
void DrawSelectedDiagram(DiagramCanvas& canvas, const std::array<SolutionRecord, kModeSlotCount>&,
                         const DiagramSelection&, DiagramLabels&) {
    ClearDiagram(canvas);
}
}  // namespace vornik
