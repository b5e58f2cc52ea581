#include "cli/CliOptions.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "solver/Version.h"

namespace vornik {

namespace {

// The field of a text option, or nullptr.
const FieldSpec* FieldOption(std::string_view arg) {
    for (const FieldSpec& f : kFields) {
        if (arg == f.option) {
            return &f;
        }
    }
    return nullptr;
}

// The check box that `option value` ticks in the given connection, or nullptr.
const TickSpec* TickOption(std::string_view option, std::string_view value, bool star) {
    for (const TickSpec& t : kTicks) {
        if (option == (star ? t.starOption : t.deltaOption) && value == (star ? t.starValue : t.deltaValue)) {
            return &t;
        }
    }
    return nullptr;
}

// "U.mag U.ang ... S.im": the names --decimals takes.
std::string PrecisionNameList() {
    std::string out;
    for (const PrecisionSpec& p : kPrecisionFields) {
        if (!out.empty()) {
            out += ' ';
        }
        out += p.name;
    }
    return out;
}

// The class-set options that take one value.
std::optional<std::string>* ClassSetOption(CliOptions& o, std::string_view arg) {
    if (arg == "--class-set") {
        return &o.classSet;
    }
    if (arg == "--variants") {
        return &o.variants;
    }
    if (arg == "--count") {
        return &o.count;
    }
    if (arg == "--seed") {
        return &o.seed;
    }
    if (arg == "--key-fields") {
        return &o.keyFields;
    }
    if (arg == "--tolerance") {
        return &o.tolerance;
    }
    if (arg == "--angle-tolerance") {
        return &o.angleTolerance;
    }
    if (arg == "--quiz-decimal") {
        return &o.quizDecimal;
    }
    if (arg == "--grade") {
        return &o.grade;
    }
    if (arg == "--answers") {
        return &o.answers;
    }
    if (arg == "--scale") {
        return &o.scale;
    }
    if (arg == "--thresholds") {
        return &o.thresholds;
    }
    return nullptr;
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
            o.taskGiven = true;
        } else if (arg == "--neutral") {
            o.params.SetChecked(kNeutralWire, true);
            o.taskGiven = true;
        } else if (const FieldSpec* field = FieldOption(arg)) {
            if (!value(v)) {
                return std::string(arg) + " needs a value (the text as typed into the form, e.g. 0,5)";
            }
            // As the form's key filter does, a full stop typed as the decimal mark becomes the comma;
            // nothing else is touched, so a bad text still gets the program's own message.
            std::replace(v.begin(), v.end(), '.', ',');
            o.params[field->field] = v;
            o.taskGiven = true;
        } else if (arg == "--short" || arg == "--open" || arg == "--break") {
            if (!value(v)) {
                return std::string(arg) + " needs a phase";
            }
            // --short names a star tick, --open a delta one, --break one in either connection.
            const bool star = arg != "--open";
            const TickSpec* tick = TickOption(arg, v, star);
            if (arg == "--short") {
                sawShort = true;
            } else if (arg == "--open") {
                sawOpen = true;
            }
            if (tick == nullptr) {
                return "unknown phase '" + v + "' for " + std::string(arg) +
                       (arg == "--open" ? " (use AB, BC or CA)" : " (use A, B or C)");
            }
            o.params.SetChecked(tick->tick, true);
            o.taskGiven = true;
        } else if (arg == "--decimals") {
            if (!value(v)) {
                return "--decimals needs NAME=T, e.g. --decimals I.mag=3";
            }
            const size_t eq = v.find('=');
            const std::string name = v.substr(0, eq);
            int index = -1;
            for (int k = 0; k < kPrecisionCount; ++k) {
                if (name == kPrecisionFields[k].name) {
                    index = k;
                }
            }
            if (eq == std::string::npos || index < 0) {
                return "--decimals takes NAME=T with NAME one of " + PrecisionNameList();
            }
            o.precision.texts[index] = v.substr(eq + 1);
            o.taskGiven = true;
        } else if (arg == "--task") {
            if (!value(v)) {
                return "--task needs a file name";
            }
            // The task replaces everything set so far; options after it change it further. The
            // command line has no length limits, so any text is taken.
            TaskReadResult read = LoadTask(v, FieldLimits::None);
            if (!read.task) {
                return TaskErrorMessage(v, read.error);
            }
            if (read.newer) {
                o.warnings.push_back(TaskNewerMessage(v));
            }
            o.params = read.task->input;
            o.taskGiven = true;
            o.precision = read.task->precision;
            o.taskTitle = read.task->title;
            o.taskNote = read.task->note;
        } else if (arg == "--save-task") {
            if (!value(v)) {
                return "--save-task needs a file name";
            }
            o.saveTask = v;
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
        } else if (arg == "--check") {
            if (!value(v)) {
                return "--check needs the answers: an answers file or a CSV table mode,quantity,answer";
            }
            o.check = v;
        } else if (arg == "--out") {
            if (!value(v)) {
                return "--out needs a file name";
            }
            o.out = v;
        } else if (std::optional<std::string>* target = ClassSetOption(o, arg); target || arg == "--vary") {
            if (!value(v)) {
                return std::string(arg) + " needs a value (see --help)";
            }
            if (target) {
                *target = v;
            } else {
                o.vary.push_back(v);
            }
        } else if (!arg.starts_with("-") || arg == "-") {
            o.positional.emplace_back(arg);
        } else {
            return "unknown option '" + std::string(arg) + "' (see --help)";
        }
    }
    // Only --grade takes a plain argument (its OUTDIR).
    if (!o.positional.empty() && !o.grade) {
        return "unknown option '" + o.positional.front() + "' (see --help)";
    }
    if (o.check && (o.diagram || o.out || o.pdf || o.saveTask)) {
        return "--check prints the marks only; leave out --diagram, --out, --pdf and --save-task";
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

namespace {

// The length of the valid UTF-8 character at the start of `text`, 0 when it is not one
// (a stray continuation byte, a cut or overlong sequence, a surrogate, past U+10FFFF).
std::size_t Utf8Length(std::string_view text, char32_t& code) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(k) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
    static const char kDigits[] = "0123456789abcdef";
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

}  // namespace

std::string TerminalSafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t code = 0;
        const std::size_t length = Utf8Length(text, code);
        if (length == 0) {
            AppendHex(out, "\\x", static_cast<unsigned char>(text[0]), 2);
            text.remove_prefix(1);
            continue;
        }
        switch (code) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (code < 0x20 || code == 0x7F) {
                    AppendHex(out, "\\x", static_cast<unsigned>(code), 2);
                } else if (code >= 0x80 && code <= 0x9F) {
                    AppendHex(out, "\\u", static_cast<unsigned>(code), 4);
                } else {
                    out.append(text.substr(0, length));
                }
        }
        text.remove_prefix(length);
    }
    return out;
}

TaskFile OptionsTask(const CliOptions& options) {
    TaskFile task = TakeTask(options.params, options.precision);
    task.title = options.taskTitle;
    task.note = options.taskNote;
    return task;
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

Task files (.vornik, as the desktop program and the web page save them):
  --task FILE         take the circuit, ticks and precision of a task; options
                      after it change them further
  --save-task FILE    write the task of all given options (and nothing else
                      unless --json or --diagram is given too)

Class set (a variant per student, answer key and quiz files in the folder OUTDIR):
  --class-set OUTDIR  make the set; OUTDIR must be new or empty. The other
                      circuit options (and --task) give the base task
  --variants TABLE    the variants from a CSV table (UTF-8, comma or semicolon
                      separated, a header row): columns variant, title,
                      connection, the field names u1 … shunt3 or ComboBox1 …
                      Edit13, CheckBox1 … CheckBox7, neutral, short, open,
                      break (phases as A;C) and the decimals U.mag … S.im
  --count N --seed S  or N variants drawn at random (the same S gives the same
                      set everywhere), each with the fields of --vary drawn
  --vary NAME=FROM..TO/STEP
                      a field drawn from FROM to TO in steps of STEP, e.g.
                      r1=5..20/0,5; may be repeated
  --key-fields LIST   the record fields of the key, comma separated (IaMod,
                      IaArg, PTotal, …); default: the currents, U0, the
                      neutral current, P and Q of every computed mode
  --tolerance P       relative tolerance of the quiz answers in percent
                      (default 1), never below half the last digit shown
  --angle-tolerance DEG
                      tolerance of the angles in degrees (default 1), never
                      below half the last digit shown; an angle is accepted
                      also written 360 degrees lower or higher
  --quiz-decimal comma|point
                      the decimal separator the quiz tells students to type
                      (default comma, as a Russian-language Moodle reads it)
  The folder gets NN.vornik (the task of each variant), variants.csv, key.csv,
  moodle.xml (Moodle XML, one Cloze question per variant), gift.txt,
  summary.txt, and NN-task.pdf (the student's sheet), NN-solution.pdf (the
  worked solution with its diagrams) and key.pdf. A bad table exits with 1
  and one message naming its row and column; OUTDIR is then left untouched.

Self-check (a student's answers marked along the worked solution):
  --check ANSWERS     mark the answers in ANSWERS, an answers file
                      (.vornik-answers, as the desktop program and the web page
                      save them) or a CSV table mode,quantity,answer (quantity:
                      the key's field name or label; "normal,Ia,20,8∠1,6"
                      gives modulus and angle at once) against the task of
                      --task (or the answers file's own task): each answer is
                      right, right carried forward from the student's earlier
                      answers, a named typical mistake, wrong or missing, with
                      the section of the worked solution that computes it.
                      With --json: {"answers":[…],"score":{…},"modes":[…]}.
                      Exits with 0 whatever the marks, 1 when ANSWERS cannot
                      be read

Marking a group's work (the self-check's marks for every student of a class set):
  --grade SETDIR --answers PATH OUTDIR
                      mark the answers in PATH against the variants of the class
                      set SETDIR (its NN.vornik) and write OUTDIR (new or empty).
                      PATH is a folder of answers files (.vornik-answers) or a
                      CSV table (UTF-8, comma or semicolon separated): columns
                      student, variant, then one per key quantity by field
                      name or label (IaMod, Ia, "угол Ia"; "short-A Ia" for
                      another mode than normal), or student, variant, mode,
                      quantity, answer. Bad rows and files are skipped with a
                      message naming file, row and column; the rest is marked
  --scale 5|100       the mark: 2 to 5 (default) or the score in per cent
  --thresholds A,B,C  the per cents from which scale 5 gives 3, 4 and 5
                      (default 50,70,85)
  OUTDIR gets grades.csv (student,variant,right,carried,mistake,wrong,missing,
  percent,mark), group.csv (shares per mode and quantity, the named mistakes
  with their students, the score distribution), summary.txt (thresholds,
  what was skipped and why) and NN-feedback.pdf per student and group.pdf.

Output:
  --json              one JSON object: report lines, message, completed flag,
                      the live record, the seven mode slots and the task run
  --help              this text
  --version           the program's name and version

Without --json the worked solution goes to standard output, one paragraph per
line, and a failure message to standard error.
Exit status:
  0  done
  1  the calculation stopped with a message (the partial report is still
     printed), or the --out, --pdf or --save-task file could not be written (the old
     file is kept), or --class-set or --grade could not make its folder, or the
     --check answers cannot be read
  2  a usage error, or a --task file that cannot be read (the message says why)
  3  the output could not be written (a full disk, an input/output error)
)";
}

std::string CliVersionText() {
    std::string text = "vornik-cli ";
    text += kVersion;
    text += '\n';
    return text;
}

}  // namespace vornik
