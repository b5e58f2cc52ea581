#include "cli/CliOptions.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "solver/Text.h"
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

// The options that take one text and keep it as given, with what a missing value is told.
struct TextOption {
    std::string_view name;
    std::optional<std::string> CliOptions::*member;
    const char* missing;
};

constexpr const char* kNeedsFile = ": нужно имя файла";
constexpr const char* kNeedsValue = ": нужно значение (см. --help)";

const TextOption kTextOptions[] = {
    {"--save-task", &CliOptions::saveTask, kNeedsFile},
    {"--diagram", &CliOptions::diagram, ": нужен выбор диаграммы: 1..14 или РЕЖИМ:ВИД, например normal:U"},
    {"--pdf", &CliOptions::pdf, kNeedsFile},
    {"--out", &CliOptions::out, kNeedsFile},
    {"--check", &CliOptions::check, ": нужны ответы: файл ответов или таблица CSV режим,величина,ответ"},
    {"--class-set", &CliOptions::classSet, kNeedsValue},
    {"--variants", &CliOptions::variants, kNeedsValue},
    {"--count", &CliOptions::count, kNeedsValue},
    {"--seed", &CliOptions::seed, kNeedsValue},
    {"--key-fields", &CliOptions::keyFields, kNeedsValue},
    {"--tolerance", &CliOptions::tolerance, kNeedsValue},
    {"--angle-tolerance", &CliOptions::angleTolerance, kNeedsValue},
    {"--quiz-decimal", &CliOptions::quizDecimal, kNeedsValue},
    {"--grade", &CliOptions::grade, ": нужна папка набора вариантов"},
    {"--answers", &CliOptions::answers, ": нужны ответы: папка файлов ответов или таблица CSV"},
    {"--scale", &CliOptions::scale, ": нужна шкала: 5 или 100"},
    {"--thresholds", &CliOptions::thresholds, ": нужны пороги, например 50,70,85"},
};

const TextOption* FindTextOption(std::string_view arg) {
    for (const TextOption& t : kTextOptions) {
        if (arg == t.name) {
            return &t;
        }
    }
    return nullptr;
}

// The arguments one option at a time; "--opt=value" is the same as "--opt value".
class Arguments {
  public:
    Arguments(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}

    // Moves to the next option; false after the last.
    bool Next() {
        if (++i_ >= argc_) {
            return false;
        }
        option_ = argv_[i_];
        inlineValue_.reset();
        if (const size_t eq = option_.find('='); option_.starts_with("--") && eq != std::string_view::npos) {
            inlineValue_ = option_.substr(eq + 1);
            option_ = option_.substr(0, eq);
        }
        return true;
    }
    std::string Option() const { return std::string(option_); }
    bool HasInlineValue() const { return inlineValue_.has_value(); }
    // The option's value, after "=" or as the next argument; nullopt when there is none.
    std::optional<std::string> Value() {
        if (inlineValue_) {
            return std::string(*inlineValue_);
        }
        if (i_ + 1 >= argc_) {
            return std::nullopt;
        }
        return std::string(argv_[++i_]);
    }

  private:
    int argc_;
    const char* const* argv_;
    int i_ = 0;
    std::string_view option_;
    std::optional<std::string_view> inlineValue_;
};

// The modes asked for, checked against the connection once every option is read.
struct ModesAsked {
    bool shorts = false;
    bool opens = false;
};

using Step = Outcome<void>;

Failure Hint(std::string text) {
    return Failure{std::move(text), ""};
}

// An option without a value; false when `arg` is none.
bool SetFlag(const std::string& arg, CliOptions& o) {
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
    } else if (arg == "--pdf-diagrams") {
        o.pdfDiagrams = true;
    } else {
        return false;
    }
    return true;
}

Step ReadField(const FieldSpec& field, Arguments& args, CliOptions& o) {
    std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint(args.Option() + ": нужно значение (текст, как в поле формы, например 0,5)");
    }
    // As the form's key filter does, a full stop typed as the decimal mark becomes the comma;
    // nothing else is touched, so a bad text still gets the program's own message.
    std::replace(v->begin(), v->end(), '.', ',');
    o.params[field.field] = *v;
    return {};
}

// --short names a star tick, --open a delta one, --break one in either connection.
Step ReadModeTick(Arguments& args, CliOptions& o, ModesAsked& asked) {
    const std::string arg = args.Option();
    const std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint(arg + ": нужна фаза");
    }
    const TickSpec* tick = TickOption(arg, *v, arg != "--open");
    asked.shorts = asked.shorts || arg == "--short";
    asked.opens = asked.opens || arg == "--open";
    if (tick == nullptr) {
        return Hint("неизвестная фаза «" + *v + "» для " + arg +
                    (arg == "--open" ? " (AB, BC или CA)" : " (A, B или C)"));
    }
    o.params.SetChecked(tick->tick, true);
    return {};
}

Step ReadDecimals(Arguments& args, CliOptions& o) {
    const std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint("--decimals: нужно ИМЯ=T, например --decimals I.mag=3");
    }
    const size_t eq = v->find('=');
    const std::string name = v->substr(0, eq);
    for (int k = 0; k < kPrecisionCount; ++k) {
        if (eq != std::string::npos && name == kPrecisionFields[k].name) {
            o.precision.texts[k] = v->substr(eq + 1);
            return {};
        }
    }
    return Hint("--decimals: ИМЯ=T, где ИМЯ — одно из " + PrecisionNameList());
}

// The task replaces everything set so far; options after it change it further. The command
// line has no length limits, so any text is taken.
Step ReadTaskOption(Arguments& args, CliOptions& o) {
    const std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint(std::string("--task") + kNeedsFile);
    }
    const TaskReadResult read = LoadTask(*v, FieldLimits::None);
    if (!read) {
        return Hint(TaskErrorMessage(*v, read.Error().message));
    }
    if (read->newer) {
        o.warnings.push_back(TaskNewerMessage(*v));
    }
    o.params = read->task.input;
    o.precision = read->task.precision;
    o.taskTitle = read->task.title;
    o.taskNote = read->task.note;
    return {};
}

Step ReadTextOption(const TextOption& option, Arguments& args, CliOptions& o) {
    std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint(std::string(option.name) + option.missing);
    }
    o.*option.member = std::move(*v);
    return {};
}

Step ReadOption(Arguments& args, CliOptions& o, ModesAsked& asked) {
    const std::string arg = args.Option();
    const bool isFlag = arg == "--help" || arg == "-h" || arg == "--version" || arg == "--json" ||
                        arg == "--delta" || arg == "--neutral" || arg == "--pdf-diagrams";
    if (isFlag && args.HasInlineValue()) {
        return Hint(arg + ": ключ без значения");
    }
    // The circuit options and --task say which task --check marks against.
    o.taskGiven = o.taskGiven || arg == "--delta" || arg == "--neutral" || FieldOption(arg) != nullptr ||
                  arg == "--short" || arg == "--open" || arg == "--break" || arg == "--decimals" ||
                  arg == "--task";
    if (SetFlag(arg, o)) {
        return {};
    }
    if (const FieldSpec* field = FieldOption(arg)) {
        return ReadField(*field, args, o);
    }
    if (arg == "--short" || arg == "--open" || arg == "--break") {
        return ReadModeTick(args, o, asked);
    }
    if (arg == "--decimals") {
        return ReadDecimals(args, o);
    }
    if (arg == "--task") {
        return ReadTaskOption(args, o);
    }
    if (const TextOption* option = FindTextOption(arg)) {
        return ReadTextOption(*option, args, o);
    }
    if (arg == "--vary") {
        std::optional<std::string> v = args.Value();
        if (!v) {
            return Hint(arg + kNeedsValue);
        }
        o.vary.push_back(std::move(*v));
        return {};
    }
    // A plain argument: the output folder of --grade.
    if (!arg.starts_with("-") || arg == "-") {
        o.positional.push_back(arg);
        return {};
    }
    return Hint("неизвестный ключ «" + arg + "» (см. --help)");
}

// The options that only make sense together.
Step CheckCombinations(const CliOptions& o, const ModesAsked& asked) {
    if (o.pdfDiagrams && !o.pdf) {
        return Hint("--pdf-diagrams — только вместе с --pdf ФАЙЛ");
    }
    // Only --grade takes a plain argument (its OUTDIR).
    if (!o.positional.empty() && !o.grade) {
        return Hint("неизвестный ключ «" + o.positional.front() + "» (см. --help)");
    }
    if (o.check && (o.diagram || o.out || o.pdf || o.saveTask)) {
        return Hint("--check только выставляет оценки; уберите --diagram, --out, --pdf и --save-task");
    }
    if (asked.shorts && !o.params.star) {
        return Hint("--short — режим звезды; с --delta задайте --open AB|BC|CA");
    }
    if (asked.opens && o.params.star) {
        return Hint("--open — режим треугольника; добавьте --delta или для звезды задайте --short A|B|C");
    }
    return {};
}

}  // namespace

Outcome<CliOptions> ParseCliOptions(int argc, const char* const* argv) {
    CliOptions o;
    ModesAsked asked;
    Arguments args(argc, argv);
    while (args.Next()) {
        if (const Step read = ReadOption(args, o, asked); !read) {
            return read.Error();
        }
    }
    if (const Step checked = CheckCombinations(o, asked); !checked) {
        return checked.Error();
    }
    return o;
}

namespace {

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
    ForEachUtf8Char(text, [&out](std::optional<char32_t> code, std::string_view bytes) {
        if (!code) {
            AppendHex(out, "\\x", static_cast<unsigned char>(bytes[0]), 2);
            return;
        }
        switch (*code) {
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
                if (*code < 0x20 || *code == 0x7F) {
                    AppendHex(out, "\\x", static_cast<unsigned>(*code), 2);
                } else if (*code >= 0x80 && *code <= 0x9F) {
                    AppendHex(out, "\\u", static_cast<unsigned>(*code), 4);
                } else {
                    out.append(bytes);
                }
        }
    });
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
