#include "platform/Runtime.h"
#include "platform/linux/PrevInstance.h"

bool App::PrevInstance() {
    static const bool anotherRuns = !ClaimInstanceName("kimoro");
    return anotherRuns;
}
