#include "DG/Interaction.hpp"

namespace DG {
namespace {

InteractionDriver*& InstalledDriver() {
    static InteractionDriver* driver = nullptr;
    return driver;
}

}  // namespace

InteractionDriver* SetInteractionDriver(InteractionDriver* driver) {
    InteractionDriver* previous = InstalledDriver();
    InstalledDriver() = driver;
    return previous;
}

InteractionDriver* GetInteractionDriver() {
    return InstalledDriver();
}

}  // namespace DG
