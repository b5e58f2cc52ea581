#include "check/Mistakes.h"

namespace vornik {

const std::array<MistakeText, 9> kMistakes = {{
    {Mistake::LineForPhase, "line-for-phase", "линейное напряжение вместо фазного",
     "Линейное напряжение в √3 раз больше фазного: здесь одно взято вместо другого."},
    {Mistake::Amplitude, "amplitude", "амплитуда вместо действующего значения",
     "Расчёт ведётся в действующих значениях, а амплитуда в √2 раз больше действующего значения."},
    {Mistake::DegreesRadians, "degrees-radians", "градусы и радианы перепутаны",
     "Угол в градусах взят как угол в радианах или наоборот: π рад = 180°."},
    {Mistake::AngleSign, "angle-sign", "знак угла",
     "Угол записан с обратным знаком: проверьте, какая величина опережает, а какая отстаёт."},
    {Mistake::NoConjugate, "no-conjugate", "нет сопряжённого тока",
     "Полная мощность S = U·I*, где I* — сопряжённый ток; без сопряжения получается другая мощность."},
    {Mistake::PhaseForLine, "phase-for-line", "фазный ток вместо линейного",
     "В треугольнике линейный ток — разность двух фазных токов, например Ia = Iab − Ica, а не фазный ток."},
    {Mistake::NoU0, "no-u0", "не учтено смещение нейтрали",
     "Напряжение на фазе нагрузки равно U − U0, а здесь взято напряжение источника, будто U0 = 0."},
    {Mistake::SumZero, "sum-zero", "сумма токов принята равной нулю",
     "С нулевым проводом Ia + Ib + Ic = I0, а не нулю: токи нельзя находить из равенства их суммы нулю."},
    {Mistake::BCSwapped, "b-c-swapped", "фазы B и C перепутаны",
     "Здесь стоит значение величины другой фазы: фазы B и C поменяны местами."},
}};

const MistakeText& MistakeOf(Mistake mistake) {
    static const MistakeText kNone = {Mistake::None, "", "", ""};
    for (const MistakeText& m : kMistakes) {
        if (m.mistake == mistake) {
            return m;
        }
    }
    return kNone;
}

}  // namespace vornik
