#include "Breakdown.h"

namespace pc {

double changeHP(BreakdownRecorder* recorder, Effect effect, OBJE& member, double amount,
                double (*change)(OBJE&, double))
{
    const double before = member.curStatus.HP;
    const double counted = change(member, amount);
    if (recorder)
        recorder->noteEffect(effect, counted, before, member.curStatus.HP);
    return counted;
}

} // namespace pc
