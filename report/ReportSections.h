#pragma once
// Sections that the star and delta reports share.

#include <string>
#include <vector>

#include "report/ReportWriter.h"

namespace vornik {

// Clears the document and writes section 1's heading and the three typed source voltages;
// names are "Ua= ", "Ub= ", "Uc= " (star) or "Uab= ", ... (delta).
void WriteSourceVoltages(ReportWriter& w, const std::vector<std::string>& names);

// The two lines and the empty line of one branch's power; `mark` follows the voltage's label
// (the back-quote of a star load voltage, nothing in a delta).
void WritePhasePower(ReportWriter& w, const std::string& label, int sModField, const std::string& mark);

// Section 7: the total power, its second computation and the closing sentence.
void WriteTotalPower(ReportWriter& w, const std::vector<std::string>& labels, const std::string& verdict);

}  // namespace vornik
