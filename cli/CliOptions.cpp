#include "cli/CliOptions.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

namespace vornik {

namespace {

const std::map<std::string_view, Param>& TextOptions() {
    static const std::map<std::string_view, Param> kOptions = {
        {"--u1", Param::ComboBox1},  {"--u2", Param::ComboBox2},  {"--u3", Param::ComboBox3},
        {"--a1", Param::Edit1},      {"--a2", Param::Edit2},      {"--a3", Param::Edit3},
        {"--r1", Param::Edit4},      {"--x1", Param::Edit5},      {"--r2", Param::Edit6},
        {"--x2", Param::Edit7},      {"--r3", Param::Edit8},      {"--x3", Param::Edit9},
        {"--r0", Param::Edit10},     {"--shunt1", Param::Edit11}, {"--shunt2", Param::Edit12},
        {"--shunt3", Param::Edit13},
    };
    return kOptions;
}

// The phase letters and their check boxes for --short/--open/--break.
int BoxFor(std::string_view value, const std::array<std::string_view, 3>& names, int firstBox) {
    for (int k = 0; k < 3; ++k) {
        if (value == names[k]) {
            return firstBox + k;
        }
    }
    return 0;
}

}  // namespace

std::string ParseCliOptions(int argc, const char* const* argv, CliOptions& o) {
    bool sawShort = false;
    bool sawOpen = false;
    for (int i = 1; i < argc; ++i) {
        // "--opt=value" is the same as "--opt value".
        std::string_view arg = argv[i];
        std::optional<std::string_view> inlineValue;
        if (const size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        auto value = [&](std::string& out) -> bool {
            if (inlineValue) {
                out = *inlineValue;
                return true;
            }
            if (i + 1 >= argc) {
                return false;
            }
            out = argv[++i];
            return true;
        };
        const bool isFlag = arg == "--help" || arg == "-h" || arg == "--version" || arg == "--json" ||
                            arg == "--delta" || arg == "--neutral" || arg == "--pdf-diagrams";
        if (isFlag && inlineValue) {
            return std::string(arg) + " takes no value";
        }
        std::string v;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--delta") {
            o.params.star = false;
        } else if (arg == "--neutral") {
            o.params.SetChecked(kNeutralWire, true);
        } else if (auto it = TextOptions().find(arg); it != TextOptions().end()) {
            if (!value(v)) {
                return std::string(arg) + " needs a value (the text as typed into the form, e.g. 0,5)";
            }
            // As the form's key filter does, a full stop typed as the decimal mark becomes the comma;
            // nothing else is touched, so a bad text still gets the program's own message.
            std::replace(v.begin(), v.end(), '.', ',');
            o.params[it->second] = v;
        } else if (arg == "--short" || arg == "--open" || arg == "--break") {
            if (!value(v)) {
                return std::string(arg) + " needs a phase";
            }
            int box = 0;
            if (arg == "--short") {
                box = BoxFor(v, {"A", "B", "C"}, 2);
                sawShort = true;
            } else if (arg == "--open") {
                box = BoxFor(v, {"AB", "BC", "CA"}, 2);
                sawOpen = true;
            } else {
                box = BoxFor(v, {"A", "B", "C"}, 5);
            }
            if (box == 0) {
                return "unknown phase '" + v + "' for " + std::string(arg) +
                       (arg == "--open" ? " (use AB, BC or CA)" : " (use A, B or C)");
            }
            o.params.SetChecked(box, true);
        } else if (arg == "--decimals") {
            if (!value(v)) {
                return "--decimals needs NAME=T, e.g. --decimals I.mag=3";
            }
            const size_t eq = v.find('=');
            const std::string name = v.substr(0, eq);
            int index = -1;
            for (int k = 0; k < kPrecisionCount; ++k) {
                if (name == kPrecisionNames[k]) {
                    index = k;
                }
            }
            if (eq == std::string::npos || index < 0) {
                return "--decimals takes NAME=T with NAME one of U.mag U.ang U.re U.im Z.re Z.im Z.mag Z.ang "
                       "Y.mag Y.ang Y.re Y.im I.mag I.ang I.re I.im S.mag S.ang S.re S.im";
            }
            o.precision.texts[index] = v.substr(eq + 1);
        } else if (arg == "--diagram") {
            if (!value(v)) {
                return "--diagram needs a selection: 1..14 or MODE:KIND such as normal:U";
            }
            o.diagram = v;
        } else if (arg == "--pdf") {
            if (!value(v)) {
                return "--pdf needs a file name";
            }
            o.pdf = v;
        } else if (arg == "--pdf-diagrams") {
            o.pdfDiagrams = true;
        } else if (arg == "--out") {
            if (!value(v)) {
                return "--out needs a file name";
            }
            o.out = v;
        } else {
            return "unknown option '" + std::string(arg) + "' (see --help)";
        }
    }
    if (o.pdfDiagrams && !o.pdf) {
        return "--pdf-diagrams goes with --pdf FILE";
    }
    if (sawShort && !o.params.star) {
        return "--short is a star mode; with --delta use --open AB|BC|CA";
    }
    if (sawOpen && o.params.star) {
        return "--open is a delta mode; add --delta or use --short A|B|C for a star load";
    }
    return std::string();
}

std::string CliHelpText() {
    return R"(vornik-cli: worked solution of a three-phase circuit (star or delta load)

Usage: vornik-cli [options]

Every value T is a text as typed into the parameter form, with a decimal comma (0,5);
a full stop is taken as the comma (0.5). Unset values keep the form's initial texts.
Each option with a value may also be written --option=value.

Circuit:
  --delta             delta connection (default: star)
  --u1 T --u2 T --u3 T
                      voltage moduli in volts: phase voltages A, B, C (star) or
                      line voltages AB, BC, CA (delta); default 380
  --a1 T --a2 T --a3 T
                      the voltage angles in degrees; default 0, -120, 120
  --r1 T --x1 T --r2 T --x2 T --r3 T --x3 T
                      resistance and reactance in ohms of phases A, B, C (star) or
                      of branches AB, BC, CA (delta); default 0
  --r0 T              resistance of the neutral wire (star); default 1
  --neutral           the neutral wire is present (star)
  --shunt1 T --shunt2 T --shunt3 T
                      shunt resistance of the short circuit of A, B, C; default 0,01

Emergency modes (each may be repeated for several phases):
  --short A|B|C       short circuit of a phase (star only)
  --open AB|BC|CA     break of a load phase (delta only)
  --break A|B|C       break of a line wire

Report precision:
  --decimals NAME=T   decimals (0..5) of one kind of number; NAME is one of
                      U.mag U.ang U.re U.im Z.re Z.im Z.mag Z.ang Y.mag Y.ang
                      Y.re Y.im I.mag I.ang I.re I.im S.mag S.ang S.re S.im

Diagram:
  --diagram SEL       draw a phasor diagram: SEL is a button number 1..14 or
                      MODE:KIND with MODE normal, short-A, short-B, short-C,
                      open-AB, open-BC, open-CA, break-A, break-B, break-C
                      and KIND U (voltages) or I (currents)
  --out FILE          write the diagram to FILE (.jpg/.jpeg, .bmp, .png or
                      .svg, a vector drawing)

Document:
  --pdf FILE          write the worked solution as a PDF (A4) to FILE: a title
                      block with the circuit and the date, then the report
  --pdf-diagrams      add to it the voltage and current diagrams of every
                      computed mode, two to a page, at true scale

Output:
  --json              one JSON object: report lines, message, completed flag,
                      the live record and the seven mode slots
  --help              this text
  --version           the program's name and version

Without --json the worked solution goes to standard output, one paragraph per
line, and a failure message to standard error.
Exit status:
  0  done
  1  the calculation stopped with a message (the partial report is still
     printed), or the --out or --pdf file could not be written (the old
     file is kept)
  2  a usage error
  3  the output could not be written (a full disk, an input/output error)
)";
}

std::string CliVersionText() {
    return "vornik-cli " VORNIK_VERSION "\n";
}

}  // namespace vornik
