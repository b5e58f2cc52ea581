// The process-wide calculation state shared by the windows.
#include "solver/SolutionRecord.h"
#include "ui/app/Forms.h"

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TForm7* Form7 = nullptr;
TForm8* Form8 = nullptr;

vornik::CalcState& AppState() {
    static vornik::CalcState state;
    return state;
}
