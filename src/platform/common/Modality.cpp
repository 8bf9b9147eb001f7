#include "platform/common/Modality.h"

#include "platform/common/Lifetime.h"

#include <algorithm>
#include <vector>

namespace {

// Innermost last; null stands for a message box.
std::vector<const Form*>& ModalStack() {
    static std::vector<const Form*> stack;
    return stack;
}

}  // namespace

ModalScope::ModalScope(const Form* form) { ModalStack().push_back(form); }

ModalScope::~ModalScope() {
    ModalStack().pop_back();
    // A loop that took the last form away while it ran may have swallowed the end.
    NestedLoopEnded();
}

bool TakesInput(const Form& form) { return ModalStack().empty() || ModalStack().back() == &form; }

bool ShownModally(const Form& form) {
    return std::find(ModalStack().begin(), ModalStack().end(), &form) != ModalStack().end();
}
