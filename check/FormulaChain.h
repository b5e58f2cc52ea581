#pragma once
// The formula chain of the worked solution: for every key quantity of every mode of both
// connections, the record fields it is computed from (the task's data as that mode's record
// holds them), the earlier key quantities it depends on, and its step, which calls the solvers'
// own step functions on a record. Marking carries a student's earlier answers forward through it.

#include <optional>
#include <string>
#include <vector>

#include "solver/KeyQuantities.h"
#include "solver/SolutionRecord.h"

namespace vornik {

// The mode a step computes in: its connection, kind and phase, and the star's neutral wire.
struct ChainContext {
    ModeOfRun mode;
    bool neutral = false;
};

// One link: the quantity whose first field is `field` (a modulus field, or PTotal / QTotal), the
// fields its step reads as given, the earlier quantities it depends on (their first fields), and
// the step, which writes `field` (and its angle and algebraic fields) into `record`.
struct ChainLink {
    int field = 0;
    std::vector<int> inputs;
    std::vector<int> after;
    std::string formula;  // as a reader would write it: "Ia = (Ua − U0)·Ya"
    void (*step)(SolutionRecord& record, const ChainContext& context, int field) = nullptr;
};

// The links of the key quantities of a mode, in the order the worked solution computes them.
std::vector<ChainLink> ModeChain(const ChainContext& context);

// The link of `field` (a modulus, angle, PTotal or QTotal field) in that mode, if the chain has one.
std::optional<ChainLink> LinkOf(const ChainContext& context, int field);

// The fields that hold quantity `field` (a modulus field, or PTotal / QTotal) in that mode.
std::vector<int> QuantityFields(const ChainContext& context, int field);

// Writes a known value of quantity `field` into a record in every form the solver keeps (modulus,
// angle in radians, real and imaginary part), as the solver would have stored it from its
// modulus and angle; a scalar field is written alone. A delta line break's series current is
// kept twice, so it is written to both places.
void PutQuantity(SolutionRecord& record, const ChainContext& context, int field, double modulus,
                 double angleRad);

}  // namespace vornik
