#pragma once
// The program's windows: created once at start-up, alive until the program ends.

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm7;
class TForm8;

extern TForm1* Form1;  // main window
extern TForm2* Form2;  // results
extern TForm3* Form3;  // calculation parameters
extern TForm4* Form4;  // precision settings
extern TForm5* Form5;  // About box
extern TForm7* Form7;  // vector diagram
extern TForm8* Form8;  // input assistant

namespace vornik {
struct CalcState;
}

// The solution record, the mode slots and the precision settings of this process.
vornik::CalcState& AppState();
