#include "DG/Alert.hpp"

#include "DG/Interaction.hpp"

namespace DG {
namespace {

bool IsShownButton(const AlertRequest& request, short number) {
    return number >= 1 && number <= short(request.buttons.size()) &&
           !request.buttons[std::size_t(number - 1)].IsEmpty();
}

// Without a driver the first button answers; so does a driver that names no shown button.
short Ask(const AlertRequest& request) {
    InteractionDriver* driver = GetInteractionDriver();
    if (driver == nullptr) return 1;
    const short answer = driver->AnswerAlert(request);
    return IsShownButton(request, answer) ? answer : 1;
}

}  // namespace

short InformationAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                       const GS::UniString& button1, const GS::UniString& button2,
                       const GS::UniString& button3) {
    return Ask({AlertKind::Information, largeText, smallText, {button1, button2, button3}});
}

short ErrorAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                 const GS::UniString& button1, const GS::UniString& button2,
                 const GS::UniString& button3) {
    return Ask({AlertKind::Error, largeText, smallText, {button1, button2, button3}});
}

}  // namespace DG
