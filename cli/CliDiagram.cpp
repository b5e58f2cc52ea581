#include "cli/CliDiagram.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <stdexcept>

#include "canvas/PictureCanvas.h"
#include "diagram/Diagram.h"
#include "diagram/RecordingCanvas.h"
#include "diagram/SvgWriter.h"
#include "fileio/ReplaceFile.h"
#include "json/DiagramJson.h"
#include "pictures/PictureFile.h"
#include "solver/Modes.h"
#include "solver/Text.h"

namespace vornik {

namespace {

// The names of a connection's phase faults, as a hint lists them: "open-AB, open-BC или open-CA".
std::string PhaseFaultNames(bool star) {
    std::string out;
    for (const ModeSpec& m : ModesOf(star)) {
        if (m.kind == ModeKind::PhaseFault) {
            out += std::string(out.empty() ? "" : m.phase == 2 ? " или " : ", ") + m.name;
        }
    }
    return out;
}

const char* const kSelectionHint = "номер кнопки 1..14 или РЕЖИМ:ВИД, например normal:U или break-A:I";

enum class OutFormat { Jpeg, Bmp, Png, Svg };

std::optional<OutFormat> FormatForName(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return std::nullopt;
    }
    const std::string ext = AsciiLower(path.substr(dot));
    if (ext == ".jpg" || ext == ".jpeg") {
        return OutFormat::Jpeg;
    }
    if (ext == ".bmp") {
        return OutFormat::Bmp;
    }
    if (ext == ".png") {
        return OutFormat::Png;
    }
    if (ext == ".svg") {
        return OutFormat::Svg;
    }
    return std::nullopt;
}

void WritePicture(const std::array<SolutionRecord, kModeSlotCount>& modeSlots,
                  const DiagramSelection& selection, const std::vector<DrawOp>& ops, OutFormat format,
                  const std::string& path) {
    const std::unique_ptr<PictureCanvas> canvas = MakeHeadlessCanvas();
    if (format == OutFormat::Svg) {
        // The recorded operations as vectors; the painter's canvas only measures the texts.
        ReplaceFile(path, DiagramSvg(ops, *canvas));
        return;
    }
    DiagramLabels labels;
    DrawSelectedDiagram(*canvas, modeSlots, selection, labels);
    switch (format) {
        case OutFormat::Jpeg:
            SavePicture(canvas->Picture(), PictureFormat::Jpeg, path);
            break;
        case OutFormat::Bmp:
            SavePicture(canvas->Picture(), PictureFormat::Bmp, path);
            break;
        case OutFormat::Svg:
            break;
        case OutFormat::Png: {
            const std::string png = canvas->PngBytes();
            if (png.empty()) {
                throw std::runtime_error(path + ": рисунок не удалось закодировать в PNG");
            }
            ReplaceFile(path, png);
            break;
        }
    }
}

}  // namespace

Outcome<int> ParseDiagramSelection(const std::string& sel, bool star) {
    if (!sel.empty() && std::all_of(sel.begin(), sel.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int number = 0;
        const auto [end, ec] = std::from_chars(sel.data(), sel.data() + sel.size(), number);
        if (ec != std::errc() || end != sel.data() + sel.size() || number < 1 || number > kModeButtonCount) {
            return Failure{"нет кнопки диаграммы «" + sel + "»: " + kSelectionHint, ""};
        }
        return number;
    }
    const size_t colon = sel.find(':');
    const std::string mode = sel.substr(0, colon);
    const std::string kind = colon == std::string::npos ? std::string() : sel.substr(colon + 1);
    const ModeSpec* found = ModeNamed(star, mode);
    if ((found == nullptr && ModeNamed(!star, mode) == nullptr) || (kind != "U" && kind != "I")) {
        return Failure{"неизвестная диаграмма «" + sel + "»: " + kSelectionHint, ""};
    }
    if (found == nullptr && star) {
        return Failure{
            mode + " — режим треугольника; добавьте --delta или для звезды выберите " + PhaseFaultNames(true),
            ""};
    }
    if (found == nullptr) {
        return Failure{mode + " — режим звезды; с --delta выберите " + PhaseFaultNames(false), ""};
    }
    return 2 * found->pair + (kind == "U" ? 1 : 2);
}

Outcome<void> CheckDiagramOut(const std::string& path) {
    if (!FormatForName(path)) {
        return Failure{"--out «" + path +
                           "»: имя должно кончаться на .jpg, .jpeg, .bmp, .png или .svg (по нему выбирается "
                           "формат рисунка)",
                       ""};
    }
    return {};
}

Json DrawCliDiagram(const CalcState& state, const CircuitInput& form, int button,
                    const std::optional<std::string>& out) {
    std::optional<OutFormat> format;
    if (out) {
        format = FormatForName(*out);
        if (!format) {
            throw std::runtime_error(CheckDiagramOut(*out).Error().message);
        }
    }
    const DiagramSelection selection{form.Star(), form.Checked(kNeutralWire), button};
    RecordingCanvas recorder;
    DiagramLabels labels;
    DrawSelectedDiagram(recorder, state.modeSlots, selection, labels);
    if (out) {
        WritePicture(state.modeSlots, selection, recorder.Ops(), *format, *out);
    }
    return DiagramJson(labels, recorder.Ops());
}

}  // namespace vornik
